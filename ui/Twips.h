#pragma once

namespace ui {

// Lengths kept in twips (1440 an inch) in documents and settings, and pixels on the screen at its logical dpi:
// 15 twips a pixel at 96 dpi. Callers round the pixels as their use needs.
double twipsPerPixel();
double pixelsFromTwips(double twips);
int twipsFromPixels(int pixels);

} // namespace ui
