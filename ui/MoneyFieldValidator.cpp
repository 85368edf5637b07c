#include "MoneyFieldValidator.h"

namespace ui {

MoneyFieldValidator::MoneyFieldValidator(const engine::NumberFormat &format, double minimum, double maximum,
                                         QObject *parent)
    : QValidator(parent)
    , m_format(format)
    , m_minimum(minimum)
    , m_maximum(maximum)
    // Separators of any convention may be typed: a text the locale does not write as a number stays as typed and
    // holds no amount, rather than losing a character and becoming another amount.
    , m_allowed(QStringLiteral(" -+().,'\u00A0\u202F\u2019"))
{
    for (const std::string *part : {&format.decimalSeparator, &format.groupSeparator, &format.currencyPrefix,
                                    &format.currencySuffix, &format.negativePrefix, &format.negativeSuffix})
        m_allowed += QString::fromStdString(*part);
}

QValidator::State MoneyFieldValidator::validate(QString &input, int &) const
{
    for (const QChar c : input) {
        if (!(c.isDigit() && c.unicode() < 128) && !c.isSpace() && !m_allowed.contains(c))
            return Invalid;
    }
    if (input.trimmed().isEmpty())
        return Acceptable;
    const std::optional<double> amount = m_format.parseNumber(input.toStdString());
    if (!amount)
        return Intermediate;
    return *amount >= m_minimum && *amount <= m_maximum ? Acceptable : Invalid;
}

std::optional<double> MoneyFieldValidator::value(const QString &text) const
{
    const std::optional<double> amount = m_format.parseNumber(text.toStdString());
    if (!amount || *amount < m_minimum || *amount > m_maximum)
        return std::nullopt;
    return amount;
}

} // namespace ui
