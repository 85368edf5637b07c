#pragma once

#include "engine/NumberFormat.h"

#include <QValidator>

#include <optional>

namespace ui {

// An amount of money as the locale writes it ("$1,234.56", "-$5.00", "1234.5"): only the characters of a number and of
// the currency, and a value within [minimum, maximum]. A text that is not yet a number may still become one.
class MoneyFieldValidator : public QValidator
{
    Q_OBJECT

public:
    MoneyFieldValidator(const engine::NumberFormat &format, double minimum, double maximum, QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;
    // The amount a text shows; nothing when it is not a number within the range.
    std::optional<double> value(const QString &text) const;

private:
    engine::NumberFormat m_format;
    double m_minimum;
    double m_maximum;
    QString m_allowed; // characters beyond the digits
};

} // namespace ui
