#include "NumberField.h"

#include "NumberFieldValidator.h"

#include "engine/NumberFormat.h"

#include <QLineEdit>

#include <cmath>

namespace ui {

QLineEdit *numberField(const char *name, double maximum, int decimals, const engine::NumberFormat &format,
                       QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    const QString separator = QString::fromStdString(format.decimalSeparator);
    field->setValidator(new NumberFieldValidator(0, maximum, decimals,
                                                 separator.isEmpty() ? QLatin1Char('.') : separator.at(0), field));
    field->setAlignment(Qt::AlignRight);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("9999999999.999")) + 16);
    return field;
}

std::optional<double> numberFieldValue(const QLineEdit *field, const engine::NumberFormat &format)
{
    const QString text = field->text().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const auto number = format.parseNumber(text.toStdString());
    if (!number || !std::isfinite(*number) || *number < 0)
        return std::nullopt;
    return number;
}

QString numberFieldText(double number, int decimals, const engine::NumberFormat &format)
{
    QString text = QString::fromStdString(format.fixed(number, decimals));
    const QString separator = QString::fromStdString(format.decimalSeparator);
    if (decimals != 2 && decimals > 0 && text.contains(separator)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(separator))
            text.chop(separator.size());
    }
    return text;
}

} // namespace ui
