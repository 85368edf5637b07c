#include "NumericCellBox.h"

#include <QPainter>
#include <QRegularExpressionValidator>

namespace views {

NumericCellBox::NumericCellBox(QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(QStringLiteral("txtCell"));
    setFrame(false);
    // Digits, signs and separators only; whether the whole is a number is decided when the box closes.
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-+0-9.,'\\s%$()]{0,24}")), this));
}

void NumericCellBox::setMode(Mode mode, const QString &currencyPrefix, const QString &currencySuffix)
{
    m_mode = mode;
    m_prefix = mode == Mode::Amount ? currencyPrefix.trimmed() : QString();
    m_suffix = mode == Mode::Rate ? QStringLiteral("%") : currencySuffix.trimmed();
    const QFontMetrics metrics(font());
    setTextMargins(m_prefix.isEmpty() ? 0 : metrics.horizontalAdvance(m_prefix) + 3, 0,
                   m_suffix.isEmpty() ? 0 : metrics.horizontalAdvance(m_suffix) + 3, 0);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    update();
}

void NumericCellBox::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (m_prefix.isEmpty() && m_suffix.isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const QRect area = rect().adjusted(2, 0, -2, 0);
    if (!m_prefix.isEmpty())
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, m_prefix);
    if (!m_suffix.isEmpty())
        painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter, m_suffix);
}

void NumericCellBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    emit focusLost();
}

} // namespace views
