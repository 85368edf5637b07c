#pragma once

#include "engine/NumberFormat.h"

namespace testsupport {

// A locale that writes money as 1 234,56 $: comma decimals, digits grouped by a narrow no-break space, the dollar sign
// after the amount, as French (Canada) does. Dates keep the default pattern.
inline engine::NumberFormat canadianFrenchFormat()
{
    engine::NumberFormat format;
    format.decimalSeparator = ",";
    format.groupSeparator = "\u202F";
    format.currencyPrefix = "";
    format.currencySuffix = "\u00A0$";
    format.negativePrefix = "-";
    format.negativeSuffix = "\u00A0$";
    return format;
}

} // namespace testsupport
