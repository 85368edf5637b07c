#include "NumberFieldValidator.h"

namespace app {

NumberFieldValidator::NumberFieldValidator(double maximum, int decimals, QChar decimalSeparator, QObject *parent)
    : QValidator(parent)
    , m_maximum(maximum)
    , m_decimals(decimals)
    , m_separator(decimalSeparator)
{ }

QValidator::State NumberFieldValidator::validate(QString &input, int &) const
{
    if (input.isEmpty())
        return Acceptable;
    QString plain;
    plain.reserve(input.size());
    qsizetype separatorAt = -1;
    for (qsizetype i = 0; i < input.size(); ++i) {
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
    if (plain == QLatin1String("."))
        return Intermediate;
    bool ok = false;
    const double value = plain.toDouble(&ok);
    // A value above the limit is refused outright, so the field never holds it.
    if (!ok || value > m_maximum)
        return Invalid;
    return Acceptable;
}

} // namespace app
