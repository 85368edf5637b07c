#include "NumberField.h"

#include "NumberFieldValidator.h"

#include "engine/NumberFormat.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <cmath>

namespace ui {

namespace {

// Turns the keypad's decimal key into the locale's decimal separator, in a field it watches.
class KeypadDecimal : public QObject
{
public:
    KeypadDecimal(QLineEdit *field, const QString &separator)
        : QObject(field)
        , m_field(field)
        , m_separator(separator)
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_field && event->type() == QEvent::KeyPress && !m_field->isReadOnly()) {
            const auto *key = static_cast<const QKeyEvent *>(event);
            if ((key->modifiers() & Qt::KeypadModifier)
                && (key->key() == Qt::Key_Period || key->key() == Qt::Key_Comma)) {
                m_field->insert(m_separator);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit *m_field;
    QString m_separator;
};

} // namespace

QLineEdit *numberField(const char *name, double maximum, int decimals, const engine::NumberFormat &format,
                       QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setValidator(new NumberFieldValidator(0, maximum, decimals, format, field));
    useKeypadDecimal(field, format);
    field->setAlignment(Qt::AlignRight);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("9999999999.999")) + 16);
    return field;
}

void useKeypadDecimal(QLineEdit *field, const engine::NumberFormat &format)
{
    const QString separator = QString::fromStdString(format.decimalSeparator);
    new KeypadDecimal(field, separator.isEmpty() ? QStringLiteral(".") : separator);
}

std::optional<double> numberFieldValue(const QLineEdit *field, const engine::NumberFormat &format)
{
    const QString text = field->text().trimmed();
    // A text its validator does not take whole (too many decimals, say) holds no number.
    if (text.isEmpty() || !field->hasAcceptableInput())
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
