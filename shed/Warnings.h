#pragma once

#include "shed/Design.h"
#include "shed/Model.h"
#include "shed/Units.h"

#include <QStringList>

namespace corvelle::shed {

// A builder's warnings, one sentence each naming its rule: those of the reader and the
// framing first, then the rules checked against the finished design.
QStringList warnings(const Design &design, const Model &model, Units units = {});

} // namespace corvelle::shed
