#pragma once

#include <QString>

#include <functional>
#include <string>
#include <vector>

class QDialog;
class QFormLayout;
class QHBoxLayout;
class QPushButton;
class QTableWidget;
class QWidget;

namespace views {

// A read-only table of a report window: whole rows selected, Tab leaves it, named for a screen reader, and Ctrl+C on it
// runs `copy`.
void setUpReportTable(QTableWidget *table, const QString &accessibleName, QWidget *owner,
                      const std::function<void()> &copy);

// Shows a table of texts, its first row as the headings; the columns from `rightFrom` on aligned right.
void showTextTable(QTableWidget *table, const std::vector<std::vector<std::string>> &text, int rightFrom);

// The report window's buttons: Copy (made into `copyButton`, running `copy`) on the left, Close on the right.
QHBoxLayout *copyAndCloseButtons(QDialog *dialog, QPushButton *&copyButton, const std::function<void()> &copy);

// A row of a form: the caption as the buddy of its field, and the field named by the caption.
void addLabelledRow(QFormLayout *form, const QString &caption, QWidget *field);

} // namespace views
