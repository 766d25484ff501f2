#pragma once

#include "core/ShedDataFormat.h"
#include "core/ShedDesign.h"
#include "TestData.h"

#include <QByteArray>

// Shed data files as the wizard writes them, from the record's texts.
namespace corvelle::testing {

inline QByteArray fileOf(ShedDesign d) { return shedfile::form(d); }

} // namespace corvelle::testing
