#pragma once

#include <QPointF>
#include <QString>

class QPainter;

namespace corvelle::shed {

// A dimension line between two page points (points), `offset` off them: below or left
// when positive, above or right when negative; tick marks and the text along it.
void dimensionLine(QPainter &p, QPointF a, QPointF b, bool horizontal, double offset, const QString &text);

} // namespace corvelle::shed
