#pragma once

#include "shed/Model.h"
#include "shed/Palette.h"
#include "shed/Takeoff.h"

#include <QByteArray>
#include <QString>

namespace corvelle::shed {

// glTF 2.0 binary: one node per member named by its kind, extras holding kind, layer,
// stock and length_in; one material per layer; metres, as glTF has it.
QByteArray exportGlb(const Model &model);
// Wavefront OBJ (metres, one object per member, a material per layer) and its MTL.
QByteArray exportObj(const Model &model, const QString &mtlFileName = QStringLiteral("shed.mtl"));
QByteArray exportMtl(const Model &model);
// IFC4 (STEP): project, site, building, one storey; each member the IFC element it is,
// an extruded solid in metres with Pset_Corvelle (Kind, Layer, Stock, LengthIn); a group
// and a presentation layer for each layer.
QByteArray exportIfc(const Model &model);
// UTF-8 CSV with a header row.
QByteArray materialsCsv(const Takeoff &takeoff);
// The cut list's numeric length is `length_in`, or `length_mm` in metric.
QByteArray cutListCsv(const Takeoff &takeoff, Units units = {});
// One CSV field, quoted when it holds a comma, a quote or a line break.
QByteArray csvField(const QString &text);

} // namespace corvelle::shed
