#include "NumberFieldValidator.h"

namespace ui {

NumberFieldValidator::NumberFieldValidator(double minimum, double maximum, int decimals,
                                           const engine::NumberFormat &format, QObject *parent)
    : QValidator(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_decimals(decimals)
    , m_format(format)
    , m_separators(QStringLiteral(".,' \u00A0\u202F\u2019"))
{
    m_separators += QString::fromStdString(format.decimalSeparator) + QString::fromStdString(format.groupSeparator);
}

QValidator::State NumberFieldValidator::validate(QString &input, int &) const
{
    if (input.isEmpty())
        return Acceptable;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        const bool sign = c == QLatin1Char('-') && i == 0 && m_minimum < 0;
        if (!(c.isDigit() && c.unicode() < 128) && !sign && !m_separators.contains(c))
            return Invalid;
    }
    // Not (yet) a number as the locale writes it, or with more decimals than the field takes: the text stays as typed
    // (a digit dropped would make it another number), and the field holds no number.
    const std::optional<engine::ReadNumber> number = m_format.readNumber(input.toStdString());
    if (!number || number->decimals > m_decimals || (m_decimals == 0 && number->decimalSeparator))
        return Intermediate;
    // A value beyond the limits is refused outright, so the field never holds it; one below a positive minimum may
    // still grow into a valid one.
    if (number->value > m_maximum || (number->value < m_minimum && m_minimum <= 0))
        return Invalid;
    return number->value < m_minimum ? Intermediate : Acceptable;
}

} // namespace ui
