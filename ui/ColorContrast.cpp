#include "ColorContrast.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

double channel(std::uint32_t rgb, int shift)
{
    const double value = double((rgb >> shift) & 0xFF) / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(std::uint32_t rgb)
{
    return 0.2126 * channel(rgb, 16) + 0.7152 * channel(rgb, 8) + 0.0722 * channel(rgb, 0);
}

double contrastRatio(std::uint32_t foreground, std::uint32_t background)
{
    const double a = relativeLuminance(foreground);
    const double b = relativeLuminance(background);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

std::uint32_t blend(std::uint32_t from, std::uint32_t to, double weight)
{
    weight = std::clamp(weight, 0.0, 1.0);
    std::uint32_t mixed = 0;
    for (int shift : {16, 8, 0}) {
        const double a = double((from >> shift) & 0xFF);
        const double b = double((to >> shift) & 0xFF);
        mixed |= std::uint32_t(std::lround(a + (b - a) * weight)) << shift;
    }
    return mixed;
}

std::uint32_t readableOn(std::uint32_t color, std::uint32_t background, std::uint32_t text, double minimum)
{
    color &= 0xFFFFFF;
    if (contrastRatio(color, background) >= minimum)
        return color;
    // The text colour itself is the last resort; a scheme whose text does not stand out gets black or white.
    if (contrastRatio(text, background) < minimum)
        text = contrastRatio(0x000000, background) >= contrastRatio(0xFFFFFF, background) ? 0x000000 : 0xFFFFFF;
    for (int step = 1; step <= 20; ++step) {
        const std::uint32_t mixed = blend(color, text, step / 20.0);
        if (contrastRatio(mixed, background) >= minimum)
            return mixed;
    }
    return text;
}

} // namespace ui
