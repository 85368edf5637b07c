#pragma once

#include <cstdint>

// Colour arithmetic for text that must stay readable whatever the colour scheme: plain 0xRRGGBB numbers, no Qt.
namespace ui {

// The least contrast between text and its background that the windows keep (the WCAG level for normal text).
inline constexpr double kMinimumContrast = 4.5;

// The relative luminance of a colour, 0 for black to 1 for white.
double relativeLuminance(std::uint32_t rgb);
// How far apart two colours are in luminance: 1 (the same) to 21 (black on white).
double contrastRatio(std::uint32_t foreground, std::uint32_t background);
// A mix of two colours: `weight` 0 gives `from`, 1 gives `to`.
std::uint32_t blend(std::uint32_t from, std::uint32_t to, double weight);
// `color` as it is, when it stands out from `background` by at least `minimum`; otherwise the nearest colour on the
// way to `text` (the scheme's own text colour, which contrasts with the background) that does.
std::uint32_t readableOn(std::uint32_t color, std::uint32_t background, std::uint32_t text,
                         double minimum = kMinimumContrast);

} // namespace ui
