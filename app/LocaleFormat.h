#pragma once

#include "engine/NumberFormat.h"

class QLocale;

namespace app {

// The number and date conventions of a locale, for the engine's formatting. The C locale gives English (United
// States).
engine::NumberFormat numberFormatFor(const QLocale &locale);

} // namespace app
