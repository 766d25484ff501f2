#include "app/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace corvelle {

namespace {

double dotsPerInch()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

} // namespace

int TwipsToPixels(int twips)
{
    return static_cast<int>(std::lround(twips * dotsPerInch() / 1440.0));
}

QRect TwipsRect(int left, int top, int width, int height)
{
    // Edges are converted, not sizes, so neighbouring controls stay flush.
    const int x = TwipsToPixels(left);
    const int y = TwipsToPixels(top);
    return QRect(x, y, TwipsToPixels(left + width) - x, TwipsToPixels(top + height) - y);
}

void Place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(TwipsRect(left, top, width, height));
}

void Move(QWidget *control, int left, int top)
{
    control->move(TwipsToPixels(left), TwipsToPixels(top));
}

} // namespace corvelle
