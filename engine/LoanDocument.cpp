#include "LoanDocument.h"

#include "ChangeTables.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace engine {

TextTable makeChangeTable(const std::string &amountCaption)
{
    TextTable table(1, kChangeColumnCount);
    table.setText(0, chgDateText, "Date");
    table.setText(0, chgAmount, amountCaption);
    table.setText(0, chgDateSerial, "Serial");
    table.setText(0, chgScheduleRow, "Row");
    return table;
}

LoanDocument::LoanDocument()
    : gridAnnualRate(makeChangeTable("Rate"))
    , gridBasicPayment(makeChangeTable("Payment"))
    , gridLumpSum(makeChangeTable("Amount"))
{ }

Date serialDate(std::string_view text)
{
    const double value = std::floor(numberOrZero(text));
    return isValidSerial(std::int64_t(std::clamp(value, -1e9, 1e9))) ? Date(value) : kNoDate;
}

void setChangeEntry(TextTable &table, int row, Date date, double amount, const NumberFormat &format)
{
    table.setText(row, chgDateText, format.formatDate(date));
    table.setText(row, chgAmount, plainNumber(amount));
    table.setText(row, chgDateSerial, plainNumber(date));
}

void sortChangeTable(TextTable &table, SameDateEntries sameDate)
{
    table.sortRowsBy(chgDateSerial);
    TextTable sorted(1, table.cols());
    for (int c = 0; c < table.cols(); ++c)
        sorted.setText(0, c, table.text(0, c));
    double sum = 0;
    for (int r = 1; r < table.rows(); ++r) {
        const Date date = serialDate(table.text(r, chgDateSerial));
        sum += numberOrZero(table.text(r, chgAmount));
        if (r + 1 < table.rows() && serialDate(table.text(r + 1, chgDateSerial)) == date)
            continue; // the entry of this date is the last one, or the sum of them all
        const int row = sorted.rows();
        sorted.setRows(row + 1);
        for (int c = 0; c < table.cols(); ++c)
            sorted.setText(row, c, table.text(r, c));
        if (sameDate == SameDateEntries::AddUp)
            sorted.setText(row, chgAmount, plainNumber(sum));
        sum = 0;
    }
    table = std::move(sorted);
}

Date LoanDocument::GetAnnualRateDate(int row) const
{
    return serialDate(gridAnnualRate.text(row, chgDateSerial));
}

double LoanDocument::GetAnnualRate(int row) const
{
    return numberOrZero(gridAnnualRate.text(row, chgAmount)) / 100;
}

Date LoanDocument::GetBasicPaymentDate(int row) const
{
    return serialDate(gridBasicPayment.text(row, chgDateSerial));
}

double LoanDocument::GetBasicPayment(int row) const
{
    return numberOrZero(gridBasicPayment.text(row, chgAmount));
}

Date LoanDocument::GetLumpSumDate(int row) const
{
    return serialDate(gridLumpSum.text(row, chgDateSerial));
}

double LoanDocument::GetLumpSumAmount(int row) const
{
    return numberOrZero(gridLumpSum.text(row, chgAmount));
}

void LoanDocument::ClearHiddenGrids()
{
    gridAnnualRate.setRows(1);
    gridBasicPayment.setRows(1);
    gridLumpSum.setRows(1);
}

void LoanDocument::CropHiddenGrids()
{
    for (TextTable *table : {&gridAnnualRate, &gridBasicPayment, &gridLumpSum})
        removeChangeEntriesIf(*table, [this](Date date) { return date < gdtmStartDate || date > gdtmLastPaymentDue; });
}

} // namespace engine
