#pragma once

#include <QLineEdit>

namespace views {

// The floating box in which a rate, payment or lump sum is typed: a number field showing its unit beside the
// number (the currency symbol, or a percent sign).
class NumericCellBox : public QLineEdit
{
    Q_OBJECT

public:
    enum class Mode { Rate, Amount };

    explicit NumericCellBox(QWidget *parent = nullptr);

    void setMode(Mode mode, const QString &currencyPrefix, const QString &currencySuffix);
    Mode mode() const { return m_mode; }

signals:
    void focusLost();

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    Mode m_mode = Mode::Amount;
    QString m_prefix;
    QString m_suffix;
};

} // namespace views
