#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QModelIndex;
class QTableView;

namespace engine {
class NumberFormat;
}
namespace document {
struct DocumentData;
}

namespace views {

class NumericCellBox;
class ScheduleModel;
class ShellServices;

// Lets the user type a new rate, payment or lump sum over a schedule cell. The box closes into an entry of the
// matching change table, and the schedule is computed again with the cursor put back where the user expects it.
class CellEditor : public QObject
{
    Q_OBJECT

public:
    CellEditor(QTableView *grid, ScheduleModel *model, document::DocumentData &data, const engine::NumberFormat &format,
               ShellServices &shell);

    static constexpr const char *kNotNumericMessage =
        "Only numeric values are allowed. Previous value will be restored.";
    static constexpr const char *kOutOfRangeMessage =
        "Only values from 0 to 9,000,000,000 are allowed. Previous value will be restored.";

    // True when the grid's current cell cannot be edited.
    bool IsReadOnlyCell() const;
    // Opens the box for a key typed on the grid; on return `key` is what the grid should still process (0: none).
    void EnterCellEditingMode(int &key);
    // Drops an open edit, keeping the cursor where it is.
    void GridMain1_Scroll();
    // Puts the cursor and the top row back after an edit.
    void UpdateCellCoordinates();
    // Opens the box with a number from the clipboard; ignored unless the text is a number.
    void paste(const QString &text);
    // Delete on an editable cell: its change goes, as when the box is closed empty.
    void clearCell();
    // Says in the status bar whether the current cell can be edited (nothing while the year-end report is shown).
    void showStatus();

    NumericCellBox *box() const { return m_box; }
    bool editing() const;

    // Backspace, or a character allowed as the first of a new value: "-" and digits (mode 1) or digits (mode 2).
    static int FilterNumericKey(int key, int mode);
    // A typed or shown number as plain text: percent signs and slashes around it dropped, then read with the
    // locale's rules (currency symbol and grouping accepted). Empty when nothing numeric is left.
    static QString StripNumberText(const QString &text, const engine::NumberFormat &format);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The number a cell shows, as plain text for the box ("5.25" for 5.2500 %, "1234.56" for $1,234.56; "1234,56"
    // where the locale writes a decimal comma).
    QString cellNumber(const QModelIndex &index) const;
    // A number as the box shows it: plain, with the locale's decimal separator.
    QString editable(double value) const;
    void closeBox();
    // Makes `amount` (nothing: none) the change of the edit cell's column from its row's date; the schedule is
    // computed again when that changed the table.
    void setChange(std::optional<double> amount);
    // Hides the box without taking its value.
    void dropBox();
    int topRow() const;
    int fullyVisibleRows() const;

    QTableView *m_grid;
    QWidget *m_viewport; // kept: the grid may be half destroyed when its last events arrive
    ScheduleModel *m_model;
    document::DocumentData &m_data;
    const engine::NumberFormat &m_format;
    ShellServices &m_shell;
    NumericCellBox *m_box;
    int m_editRow = -1;
    int m_editColumn = -1;
    int m_savedRow = 0;
    int m_savedColumn = 0;
    int m_savedTopRow = 0;
    QString m_previousText;
    bool m_dropping = false;
};

} // namespace views
