#pragma once

#include <QString>

#include <optional>

class QLineEdit;
class QWidget;

namespace engine {
class NumberFormat;
}

namespace ui {

// A right-aligned field for a number from 0 to `maximum` with at most `decimals` decimals, typed as the locale writes
// numbers (the keypad's decimal key types its decimal separator) and wide enough for the largest amount.
QLineEdit *numberField(const char *name, double maximum, int decimals, const engine::NumberFormat &format,
                       QWidget *parent = nullptr);
// Makes the numeric keypad's decimal key type the locale's decimal separator in `field`, whichever character the
// keyboard layout gives that key.
void useKeypadDecimal(QLineEdit *field, const engine::NumberFormat &format);
// The number a field holds; nothing when it is empty or does not hold a number.
std::optional<double> numberFieldValue(const QLineEdit *field, const engine::NumberFormat &format);
// A number as a field shows it: amounts (two decimals) keep their cents, other numbers only the decimals that
// matter (3.75, not 3.7500).
QString numberFieldText(double number, int decimals, const engine::NumberFormat &format);

} // namespace ui
