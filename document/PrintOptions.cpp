#include "PrintOptions.h"

#include <algorithm>
#include <cmath>

namespace document {

void PrintOptions::applyDefaults()
{
    *this = PrintOptions();
    DefaultsApplied = true;
}

float keptMargin(double inches)
{
    return std::isfinite(inches) ? float(std::clamp(inches, 0.0, 1e6)) : 0.0f;
}

} // namespace document
