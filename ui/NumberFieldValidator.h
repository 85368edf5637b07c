#pragma once

#include <QValidator>

namespace ui {

// A number typed with the locale's decimal separator and at most `decimals` decimals, within [minimum, maximum]; a
// minus sign only where the minimum is negative. An empty field is acceptable: an empty amount means "not given".
class NumberFieldValidator : public QValidator
{
    Q_OBJECT

public:
    NumberFieldValidator(double minimum, double maximum, int decimals, QChar decimalSeparator,
                         QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    int decimals() const { return m_decimals; }

private:
    double m_minimum;
    double m_maximum;
    int m_decimals;
    QChar m_separator;
};

} // namespace ui
