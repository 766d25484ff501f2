#pragma once

#include "shed/Model.h"

#include <QColor>
#include <QString>

// The one home of the colours the shed is drawn in: the 3D view's, the exports' and the
// plans' paper fills.
namespace corvelle::shed {

// The colour a builder would expect of each material in the 3D view: timber tan, concrete
// grey, roof slate...
QColor viewColour(const Member &m);

// A layer's colour in the exported models (linear RGB 0..1); the siding follows
// OuterWallMaterial.
struct Colour {
    float r, g, b;
};
Colour layerColour(Layer layer, const QString &outerWallMaterial);

// The plans' fills: pale enough that lines and figures stay readable over them.
QColor paperFill(const Member &m);
// The line colour of members drawn light, behind the ones a sheet is about.
QColor paperBackgroundLine();

} // namespace corvelle::shed
