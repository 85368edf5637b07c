#include "TimeLeft.h"

#include "Arithmetic.h"
#include "ArithmeticError.h"
#include "Calendar.h"
#include "LoanDocument.h"

#include <cmath>

namespace engine {

bool readTimeLeftRow(const LoanDocument &doc, int row, TimeLeftRow &out)
{
    if (row < 1)
        return false;
    // The start row and the rows of lump sums paid between two payments have no payment: use the next payment row.
    ScheduleReader reader(doc.gridMain0, row);
    ScheduleRowValues values;
    while (reader.next(values)) {
        if (!values.isEmpty(colPayment)) {
            out = {values.row, values[colPayment], values[colEndingBalance], values[colAnnualRate], values.date()};
            return true;
        }
    }
    return false;
}

TimeLeftResult computeTimeLeft(const LoanDocument &doc, const TimeLeftRow &row)
{
    TimeLeftResult result;
    if (!std::isfinite(row.ratePercent))
        return result;
    // The rate is read back in single precision, as shown.
    const float annualRate = float(row.ratePercent) / 100.0f;
    try {
        const double periodsPerYear = periodsPerYearValue(doc.gintFreqOfInst, doc.gintPeriodsPerYearIndex);
        const double rate = periodicRate(annualRate, periodsPerYear, doc.gintLoanType, doc.gintCompounding);
        if (row.balance > 0 && row.payment <= row.balance * rate) {
            result.status = TimeLeftResult::Status::PaymentTooLow;
            return result;
        }
        const double n = roundUpToDigits(nper(rate, -row.payment, row.balance), 0);
        result.lastPayment = nthPaymentDate(row.rowDate, doc.gintFreqOfInst, toInt32(n + 1), 0);
        result.paymentsLeft = n;
        result.duration = durationText("ymd", row.rowDate, result.lastPayment);
        result.status = TimeLeftResult::Status::Ok;
    } catch (const ArithmeticError &) {
        result.status = TimeLeftResult::Status::Failed;
    }
    return result;
}

std::string durationText(std::string_view unit, Date d1, Date d2)
{
    if (!(d1 < d2) || !isValidSerial(d1) || !isValidSerial(d2))
        return {};
    int years = 0;
    Date from = d1;
    if (unit == "ymd") {
        years = yearDiff(d1, d2);
        if (*addYears(d1, years) > d2)
            --years;
        from = *addYears(d1, years);
    }
    int months = monthDiff(from, d2);
    if (*addMonths(from, months) > d2)
        --months;
    int days = dayOf(d2) - dayOf(d1);
    if (days < 0) {
        // Days borrowed from d1's month, unless the month step was cut short at a month end.
        if (*addMonths(d1, monthDiff(d1, d2)) > d2)
            days += daysInMonth(yearOf(d1), monthOf(d1));
        else
            days = 0;
    }
    std::string text;
    if (years != 0)
        text += std::to_string(years) + (years == 1 ? " Year " : " Years ");
    if (months != 0)
        text += std::to_string(months) + (months == 1 ? " Month " : " Months ");
    if (days != 0)
        text += std::to_string(days) + (days == 1 ? " Day" : " Days");
    return text;
}

} // namespace engine
