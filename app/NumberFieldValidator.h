#pragma once

#include <QValidator>

namespace app {

// A non-negative number typed with the locale's decimal separator and at most `decimals` decimals, never above
// `maximum`. An empty field is acceptable: an empty amount means "not given".
class NumberFieldValidator : public QValidator
{
    Q_OBJECT

public:
    NumberFieldValidator(double maximum, int decimals, QChar decimalSeparator, QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;

    double maximum() const { return m_maximum; }
    int decimals() const { return m_decimals; }

private:
    double m_maximum;
    int m_decimals;
    QChar m_separator;
};

} // namespace app
