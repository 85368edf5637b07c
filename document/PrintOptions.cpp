#include "PrintOptions.h"

namespace document {

void PrintOptions::applyDefaults()
{
    *this = PrintOptions();
    DefaultsApplied = true;
}

} // namespace document
