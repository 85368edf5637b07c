#include "LocaleFormat.h"

#include <QLocale>

namespace app {

engine::NumberFormat numberFormatFor(const QLocale &locale)
{
    engine::NumberFormat format;
    if (locale.language() == QLocale::C)
        return format;
    format.decimalSeparator = locale.decimalPoint().toStdString();
    format.groupSeparator = locale.groupSeparator().toStdString();

    // The currency's affixes are whatever surrounds the plain number in a sample amount.
    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    auto affixes = [&](double sample, std::string &prefix, std::string &suffix) {
        const QString shown = locale.toCurrencyString(sample, symbol, 2);
        const QString digits = locale.toString(std::abs(sample), 'f', 2);
        const qsizetype at = shown.indexOf(digits);
        if (at < 0)
            return false;
        prefix = shown.left(at).toStdString();
        suffix = shown.mid(at + digits.size()).toStdString();
        return true;
    };
    std::string prefix, suffix, negativePrefix, negativeSuffix;
    if (affixes(1234.5, prefix, suffix) && affixes(-1234.5, negativePrefix, negativeSuffix)) {
        format.currencyPrefix = prefix;
        format.currencySuffix = suffix;
        format.negativePrefix = negativePrefix;
        format.negativeSuffix = negativeSuffix;
    }
    for (int m = 1; m <= 12; ++m)
        format.monthAbbreviations[size_t(m - 1)] = locale.monthName(m, QLocale::ShortFormat).toStdString();
    return format;
}

} // namespace app
