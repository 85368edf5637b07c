#pragma once

#include <QColor>

namespace ui {

// Colours as the settings and documents keep them: 24 bits with blue in the high byte and red in the low one.
QColor colorFromBgr(int bgr);
int bgrFromColor(const QColor &color);

} // namespace ui
