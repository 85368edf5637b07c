#include "ChangeTables.h"

#include "LoanDocument.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cmath>

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

int findChangeEntryByDate(const TextTable &table, Date date)
{
    int entry = 0;
    for (int row = 1; row < table.rows(); ++row) {
        if (serialDate(table.text(row, chgDateSerial)) == date)
            entry = row;
    }
    return entry;
}

int putChangeEntry(TextTable &table, Date date, double amount, const NumberFormat &format)
{
    int entry = findChangeEntryByDate(table, date);
    if (entry == 0) {
        entry = table.rows();
        table.setRows(entry + 1);
    }
    setChangeEntry(table, entry, date, amount, format);
    table.sortRowsBy(chgDateSerial);
    return findChangeEntryByDate(table, date);
}

int addLumpSum(TextTable &lumpSums, Date date, double amount, const NumberFormat &format)
{
    const int entry = findChangeEntryByDate(lumpSums, date);
    const double sum = entry > 0 ? numberOrZero(lumpSums.text(entry, chgAmount)) + amount : amount;
    return putChangeEntry(lumpSums, date, sum, format);
}

bool sameChangeEntries(const TextTable &a, const TextTable &b)
{
    if (a.rows() != b.rows())
        return false;
    for (int row = 1; row < a.rows(); ++row) {
        if (a.text(row, chgDateText) != b.text(row, chgDateText)
            || numberOrZero(a.text(row, chgAmount)) != numberOrZero(b.text(row, chgAmount)))
            return false;
    }
    return true;
}

void reformatChangeDates(TextTable &table, const NumberFormat &format)
{
    for (int row = 1; row < table.rows(); ++row)
        table.setText(row, chgDateText, format.formatDate(serialDate(table.text(row, chgDateSerial))));
}

void reformatChangeDates(LoanDocument &loan, const NumberFormat &format)
{
    for (TextTable *table : {&loan.gridAnnualRate, &loan.gridBasicPayment, &loan.gridLumpSum})
        reformatChangeDates(*table, format);
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
    return removeChangeEntriesIf(table, [&](Date date) { return date < start || (last != kNoDate && date > last); });
}

namespace {

// The dates of the schedule's first and last rows; nothing without rows.
std::optional<std::pair<Date, Date>> scheduleDates(const ScheduleTable &schedule)
{
    if (schedule.rows() < 2)
        return std::nullopt;
    return std::pair {Date(schedule.value(1, colDateSerial)), Date(schedule.value(schedule.rows() - 1, colDateSerial))};
}

} // namespace

std::optional<DateRange> lumpSumDateRange(const ScheduleTable &schedule)
{
    const auto dates = scheduleDates(schedule);
    if (!dates || dates->first >= dates->second)
        return std::nullopt;
    return DateRange {dates->first + 1, dates->second};
}

Date pulledIntoRange(Date date, const DateRange &range, Date firstPaymentDue, Date lastPaymentDue)
{
    if (date <= firstPaymentDue)
        date = range.first;
    else if (date >= lastPaymentDue)
        date = lastPaymentDue - 1;
    // A loan repaid early ends before its last payment due: the day before that may still lie past the schedule.
    return std::clamp(date, range.first, range.last);
}

LumpSumPreset lumpSumPreset(const ScheduleTable &schedule, int row, const DateRange &range)
{
    LumpSumPreset preset;
    if (row < 1 || row >= schedule.rows())
        return preset;
    const auto date = Date(schedule.value(row, colDateSerial));
    if (date == kNoDate)
        return preset;
    preset.date = std::max(date, range.first);
    if (!schedule.isEmpty(row, colLumpSum))
        preset.amount = schedule.value(row, colLumpSum);
    return preset;
}

double lumpSumAmount(double typed)
{
    return roundAsShown(typed, 2);
}

std::optional<double> typedChange(double typed, bool amount)
{
    if (!(typed >= 0 && typed <= kMaxTypedChange))
        return std::nullopt;
    return amount ? lumpSumAmount(typed) : typed;
}

bool removeLumpSumsOutsideSchedule(TextTable &lumpSums, const ScheduleTable &schedule)
{
    const auto dates = scheduleDates(schedule);
    if (!dates)
        return false;
    return removeChangeEntriesIf(lumpSums, [&](Date date) { return date < dates->first || date > dates->second; });
}

} // namespace engine
