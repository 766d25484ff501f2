#pragma once

#include <QRect>

class QWidget;

namespace corvelle {

// Layouts are given in twips, 1440 to the inch of the screen's logical resolution.
int TwipsToPixels(int twips);
QRect TwipsRect(int left, int top, int width, int height);

// Places a control from its rectangle in twips (relative to its parent).
void Place(QWidget *control, int left, int top, int width, int height);

// Moves a control, keeping its size.
void Move(QWidget *control, int left, int top);

} // namespace corvelle
