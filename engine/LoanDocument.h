#pragma once

#include "Codes.h"
#include "Dates.h"
#include "PrepaymentTerms.h"
#include "ScheduleTable.h"
#include "TextTable.h"

#include <optional>
#include <string>

namespace engine {

class NumberFormat;

// Columns of the three change tables.
enum ChangeColumn : int { chgDateText = 0, chgAmount, chgDateSerial, chgScheduleRow, kChangeColumnCount };

// One loan: its parameters under the names the whole program uses, the three tables of dated changes and the
// computed schedule. Integer codes are held in int; the document file keeps them within 16 bits.
struct LoanDocument
{
    LoanDocument();

    int gintLoanType = kMortgageLoan;
    int gintCompounding = 0;
    std::string gstrTitle;
    std::string gstrComments;
    std::optional<double> gvarPurchasePrice;
    std::optional<double> gvarDownPayment;
    int gintDownPaymentUnit = 0; // -1 when the down payment was given in percent, 0 in dollars
    std::optional<double> gvarCMHC;
    std::optional<double> gvarAmountBorrowed;
    double gdblLoanAmount = 0;
    double gdblAnnualRate = 0; // fraction: 0.075 is 7.5 %
    double glngAmortization = 0; // a length in gintAmortUnit, not an integer
    int gintAmortUnit = kYears;
    int gintFreqOfInst = kMonthly;
    double gdblBasicPayment = 0;
    double gdblPeriodicRate = 0;
    double gdblDailyRate = 0;
    int gintPeriodsPerYearIndex = 0;
    int gintPeriodsPerYearIndexTmp = 0;
    double gdblPeriodsPerYear = 0;
    int gintStartPayment = 0; // 0: gdtmFirstPaymentDue is payment 1; otherwise it is the day the money was lent
    Date gdtmStartDate = kNoDate;
    Date gdtmFirstPaymentDue = kNoDate;
    double mdblNperTerm = 0;
    Date gdtmLastPaymentDue = kNoDate;
    double gdblTotalPayments = 0;
    double gdblInterestPaid = 0;
    double gdblNumberOfPeriods = 0;
    Date gdtmLastPaymentDate = kNoDate;
    std::string gstrFileName;
    bool gblnReportFlag = false;
    // The lender's convention of rounding each period's interest to the cent and carrying the rounded balance; off,
    // the schedule keeps the interest unrounded.
    bool roundInterestEachPeriod = false;
    // The prepayment privileges and the penalty terms; nothing when they were never set (off).
    std::optional<PrepaymentTerms> prepaymentTerms;

    TextTable gridAnnualRate; // rate changes, column 1 in percent
    TextTable gridBasicPayment; // payment changes
    TextTable gridLumpSum; // lump-sum prepayments
    ScheduleTable gridMain0; // the schedule

    Date GetAnnualRateDate(int row) const;
    double GetAnnualRate(int row) const; // as a fraction
    Date GetBasicPaymentDate(int row) const;
    double GetBasicPayment(int row) const;
    Date GetLumpSumDate(int row) const;
    double GetLumpSumAmount(int row) const;

    // Empties the three change tables.
    void ClearHiddenGrids();
    // Drops the change entries dated before gdtmStartDate or after gdtmLastPaymentDue.
    void CropHiddenGrids();

    friend bool operator==(const LoanDocument &, const LoanDocument &) = default;
};

// A change table with its header row only.
TextTable makeChangeTable(const std::string &amountCaption);
// Writes one change entry: the date as text in the current date format, the amount, the date's serial.
void setChangeEntry(TextTable &table, int row, Date date, double amount, const NumberFormat &format);
// What several entries of a change table on one date make: the last one holds (a rate, a payment), or they add up to
// one entry of their sum (money paid on that date, the lump sums).
enum class SameDateEntries { LastOneWins, AddUp };
// Puts a change table's entries in date order, with one entry per date.
void sortChangeTable(TextTable &table, SameDateEntries sameDate = SameDateEntries::LastOneWins);
// The day serial held as text in a cell; the zero date for anything that is not a date.
Date serialDate(std::string_view text);

} // namespace engine
