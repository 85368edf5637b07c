#pragma once

#include "engine/NumberFormat.h"

namespace testsupport {

// A locale that writes money as 1.234,56 € and -1.234,56 €: comma decimals, dot grouping, the euro sign after the
// amount. Dates keep the default pattern.
inline engine::NumberFormat euroFormat()
{
    engine::NumberFormat format;
    format.decimalSeparator = ",";
    format.groupSeparator = ".";
    format.currencyPrefix = "";
    format.currencySuffix = " \u20AC";
    format.negativePrefix = "-";
    format.negativeSuffix = " \u20AC";
    return format;
}

} // namespace testsupport
