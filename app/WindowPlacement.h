#pragma once

#include <QList>
#include <QRect>

#include <optional>

namespace app {

// Where windows go. Small rules over rectangles, so that they can be checked without a screen.

// The main window's first placement, when none is stored yet: three quarters of the screen's free area, centred.
QRect firstPlacement(const QRect &available);

// The placement stored in the settings, in pixels, with at least the smallest size a main window is given; nothing
// when the size stored is no window's (not positive, or beyond what a window system shows), so that the window gets
// its first placement instead.
std::optional<QRect> storedPlacement(int left, int top, int width, int height);

// A stored placement made to fit the screens there are now: a window that would lie partly or wholly outside every
// screen's free area is moved (and if need be shrunk) into the area of the screen it overlaps most, or of the first
// screen when it overlaps none.
QRect placementOnScreens(const QRect &stored, const QList<QRect> &availableAreas);

// A new document window in a document area of `area`: 90 % of the area, one `step` down and to the right of the
// active window, or at the top left corner when that would leave the area.
QRect newDocumentPlacement(const QSize &area, const std::optional<QRect> &active, int step);

// Window > Cascade for `count` windows: each one `step` further down and to the right than the one before, all of
// one size that leaves room for the steps but never less than two thirds of the area; when the steps would leave
// the area they start again at the top left.
QList<QRect> cascadePlacements(const QSize &area, int count, int step);

} // namespace app
