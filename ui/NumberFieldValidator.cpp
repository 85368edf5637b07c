#include "NumberFieldValidator.h"

namespace ui {

NumberFieldValidator::NumberFieldValidator(double minimum, double maximum, int decimals, QChar decimalSeparator,
                                           QObject *parent)
    : QValidator(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_decimals(decimals)
    , m_separator(decimalSeparator)
{ }

QValidator::State NumberFieldValidator::validate(QString &input, int &) const
{
    if (input.isEmpty())
        return Acceptable;
    const bool negative = input.startsWith(QLatin1Char('-'));
    if (negative && m_minimum >= 0)
        return Invalid;
    QString plain = negative ? QStringLiteral("-") : QString();
    plain.reserve(input.size());
    qsizetype separatorAt = -1;
    for (qsizetype i = negative ? 1 : 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            plain += c;
        } else if (c == m_separator && m_decimals > 0 && separatorAt < 0) {
            separatorAt = i;
            plain += QLatin1Char('.');
        } else {
            return Invalid;
        }
    }
    if (separatorAt >= 0 && input.size() - separatorAt - 1 > m_decimals)
        return Invalid;
    // A sign or a separator alone is the start of a number.
    if (plain == QLatin1String(".") || plain == QLatin1String("-") || plain == QLatin1String("-."))
        return Intermediate;
    bool ok = false;
    const double value = plain.toDouble(&ok);
    // A value beyond the limits is refused outright, so the field never holds it; one below a positive minimum may
    // still grow into a valid one.
    if (!ok || value > m_maximum || (value < m_minimum && m_minimum <= 0))
        return Invalid;
    return value < m_minimum ? Intermediate : Acceptable;
}

} // namespace ui
