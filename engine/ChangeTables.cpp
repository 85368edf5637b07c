#include "ChangeTables.h"

#include "LoanDocument.h"
#include "NumberFormat.h"

namespace engine {

int findChangeEntry(const TextTable &table, std::string_view dateText)
{
    int entry = 0;
    for (int row = 1; row < table.rows(); ++row) {
        if (table.text(row, chgDateText) == dateText)
            entry = row;
    }
    return entry;
}

bool setChangeByDate(TextTable &table, std::string_view dateText, Date date, std::optional<double> amount)
{
    int entry = findChangeEntry(table, dateText);
    if (!amount) {
        if (entry == 0)
            return false;
        removeChangeEntry(table, entry);
    } else {
        if (entry > 0 && numberOrZero(table.text(entry, chgAmount)) == *amount)
            return false;
        if (entry == 0) {
            entry = table.rows();
            table.setRows(entry + 1);
        }
        table.setText(entry, chgDateText, dateText);
        table.setText(entry, chgAmount, plainNumber(*amount));
        table.setText(entry, chgDateSerial, plainNumber(date));
    }
    table.sortRowsBy(chgDateSerial);
    return true;
}

bool setChangeByDate(TextTable &table, Date date, std::optional<double> amount, const NumberFormat &format)
{
    return setChangeByDate(table, format.formatDate(date), date, amount);
}

void removeChangeEntry(TextTable &table, int row)
{
    if (row >= 1)
        table.removeRow(row);
}

bool removeChangeEntriesIf(TextTable &table, const std::function<bool(Date)> &outside)
{
    bool removed = false;
    for (int row = table.rows() - 1; row >= 1; --row) {
        if (outside(serialDate(table.text(row, chgDateSerial)))) {
            removeChangeEntry(table, row);
            removed = true;
        }
    }
    return removed;
}

bool removeChangeEntriesOutside(TextTable &table, Date start, Date last)
{
    return removeChangeEntriesIf(table, [&](Date date) { return date <= start || (last != kNoDate && date > last); });
}

} // namespace engine
