#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace ui {

double twipsPerPixel()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96;
    return dpi > 0 ? 1440 / dpi : 15;
}

double pixelsFromTwips(double twips)
{
    return twips / twipsPerPixel();
}

int twipsFromPixels(int pixels)
{
    return int(std::lround(pixels * twipsPerPixel()));
}

} // namespace ui
