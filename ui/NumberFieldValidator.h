#pragma once

#include "engine/NumberFormat.h"

#include <QValidator>

namespace ui {

// A number typed as the locale writes it, with at most `decimals` decimals, within [minimum, maximum]; a minus sign
// only where the minimum is negative. An empty field is acceptable: an empty amount means "not given". A separator of
// any convention may be typed, so that what the user typed stays in the field; a text that is not a number as the
// locale writes it (a decimal point where the locale writes a comma, say), or has more decimals than the field takes,
// is never taken as a number.
class NumberFieldValidator : public QValidator
{
    Q_OBJECT

public:
    NumberFieldValidator(double minimum, double maximum, int decimals, const engine::NumberFormat &format,
                         QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    int decimals() const { return m_decimals; }

private:
    double m_minimum;
    double m_maximum;
    int m_decimals;
    engine::NumberFormat m_format;
    QString m_separators; // the characters, beyond the digits, that a number may be typed with
};

} // namespace ui
