#include "Summary.h"

#include "Arithmetic.h"
#include "ArithmeticError.h"
#include "Calendar.h"
#include "Codes.h"
#include "LoanDocument.h"
#include "LoanTerms.h"
#include "NumberFormat.h"
#include "Prepayment.h"
#include "RateChange.h"
#include "Schedule.h"

namespace engine {

Date firstPaymentDate(const LoanDocument &doc)
{
    if (const int row = doc.gridMain0.rowOfPayment(1))
        return Date(doc.gridMain0.value(row, colDateSerial));
    if (doc.gintStartPayment == 0)
        return doc.gdtmFirstPaymentDue;
    // No payment was made: the day the calendar gives payment 1.
    try {
        return nthPaymentDate(doc.gdtmFirstPaymentDue, doc.gintFreqOfInst, 1, doc.gintStartPayment);
    } catch (const ArithmeticError &) {
        return kNoDate;
    }
}

std::string amortizationLength(double length, int unit)
{
    const std::string number = plainNumber(length);
    const std::string units = amortUnitLabel(unit);
    if (units.empty())
        return number;
    // "Years" and "Months" less their "s" for a length of one.
    return number + ' ' + (length == 1 ? units.substr(0, units.size() - 1) : units);
}

std::vector<std::pair<std::string, std::string>> summaryRows(const LoanDocument &doc, const NumberFormat &format,
                                                             const SummaryOptions &options)
{
    // The zero date means none, as for a schedule without payments.
    auto dateText = [&](Date date) { return date == kNoDate ? std::string() : format.formatDate(date); };
    std::vector<std::pair<std::string, std::string>> rows = {
        {"Loan Type", loanTypeLabel(doc.gintLoanType)},
        {"Interest Compounded", compoundingLabel(doc.gintLoanType, doc.gintCompounding)},
    };
    if (doc.roundInterestEachPeriod)
        rows.emplace_back("Interest Rounded", "To the Cent Each Period");
    // The purchase as the wizard's optional information shows it: a down payment given in percent in dollars, when
    // the price gives them.
    const LoanTerms terms = LoanTerms::fromDocument(doc, doc.gdtmFirstPaymentDue);
    auto given = [&](LoanTerms::Field field) {
        const LoanTerms::Amount value = terms.value(field);
        return value && *value != 0 ? value : std::nullopt;
    };
    if (const auto price = given(LoanTerms::PurchasePrice))
        rows.emplace_back("Purchase Price", format.currency(*price));
    if (const auto dollars = given(LoanTerms::DownPaymentDollars))
        rows.emplace_back("Down Payment", format.currency(*dollars));
    else if (const auto percent = given(LoanTerms::DownPaymentPercent))
        rows.emplace_back("Down Payment", format.percentage(*percent, 4, false));
    if (const auto premium = given(LoanTerms::Cmhc))
        rows.emplace_back("CMHC Premium", format.percentage(*premium, 4, false));
    rows.emplace_back("Loan Amount", format.currency(doc.gdblLoanAmount));
    rows.emplace_back("Annual Rate", format.ratePercent(doc.gdblAnnualRate));
    if (options.today != kNoDate) {
        if (const std::optional<double> rate = triggerRate(doc, options.today))
            rows.emplace_back("Trigger Rate", format.ratePercent(*rate));
    }
    rows.insert(rows.end(),
                {
                    {"Amortization", amortizationLength(doc.glngAmortization, doc.gintAmortUnit)},
                    {"Frequency of Installment", frequencyLabel(doc.gintFreqOfInst)},
                    {"Basic Payments", format.currency(doc.gdblBasicPayment)},
                    {"Periodic Rate", format.percent(doc.gdblPeriodicRate, 7, false)},
                    {"Periods per Year", periodsPerYearLabel(doc.gintFreqOfInst, doc.gintPeriodsPerYearIndex)},
                    {"First Payment Date", dateText(firstPaymentDate(doc))},
                    {"Last Payment Date", dateText(doc.gdtmLastPaymentDate)},
                    {"Number of Periods", plainNumber(doc.gdblNumberOfPeriods)},
                });
    if (const int shortPeriods = doc.gridMain0.periodsNotCoveringInterest(); shortPeriods > 0)
        rows.emplace_back("Periods Not Covering Interest", std::to_string(shortPeriods));
    rows.emplace_back("Total Payments", format.currency(doc.gdblTotalPayments));
    rows.emplace_back("Interest Paid", format.currency(doc.gdblInterestPaid));
    if (const double lumpSums = doc.gridMain0.lumpSumTotal(); lumpSums != 0)
        rows.emplace_back("Lump Sums", format.currency(lumpSums));
    if (options.today != kNoDate && doc.prepaymentTerms) {
        const std::vector<PrivilegeYear> years = privilegeYears(doc);
        if (const std::optional<std::size_t> at = privilegeYearOf(years, options.today)) {
            const PrivilegeYear &year = years[*at];
            rows.emplace_back("Prepayment Privilege", year.unlimited ? "Unlimited" : format.currency(year.limit));
            rows.emplace_back("Privilege Used", format.currency(year.used));
            rows.emplace_back("Privilege Left", year.unlimited ? "Unlimited" : format.currency(year.left));
        }
    }
    const double left = doc.gridMain0.balanceLeft();
    if (left >= 0.01)
        rows.emplace_back("Balance Left", format.currency(left));
    return rows;
}

std::string chartCellText(const ChartSample &sample, int column, const NumberFormat &format)
{
    switch (column) {
    case 0:
        return std::to_string(sample.period);
    case 1:
        return format.formatDate(sample.date);
    case 2:
        return format.currency(sample.endingBalance);
    case 3:
        return format.currency(sample.cumulativeInterest);
    case 4:
        return std::to_string(sample.date);
    default:
        return {};
    }
}

int chartStep(double periods)
{
    if (!(periods >= 1) || periods > 1e9)
        return 0;
    return int(roundUpToDigits(periods / 50, 0));
}

std::vector<ChartSample> gridChart(const LoanDocument &doc)
{
    const int step = chartStep(doc.gdblNumberOfPeriods);
    if (step == 0)
        return {};
    const int periods = int(doc.gdblNumberOfPeriods);
    int count = int(roundUpToDigits(double(periods) / step, 0));
    if ((count - 1) * step + 1 != periods)
        ++count;
    const ScheduleTable &schedule = doc.gridMain0;
    std::vector<ChartSample> samples;
    samples.reserve(size_t(count));
    auto add = [&](int period) {
        const int row = schedule.rowOfPayment(period);
        if (row == 0)
            return false;
        const ScheduleRowValues values = schedule.row(row);
        samples.push_back({period, values.date(), values[colEndingBalance], values[colCumulativeInterest]});
        return true;
    };
    for (int i = 0; i + 1 < count; ++i) {
        if (!add(i * step + 1))
            return samples;
    }
    // The last payment rather than the schedule's last row: a row after it would show no balance and no interest.
    add(periods);
    return samples;
}

std::vector<LumpSumMark> chartLumpSums(const LoanDocument &doc)
{
    std::vector<LumpSumMark> marks;
    size_t waiting = 0; // the first mark still without its balance
    ScheduleReader reader(doc.gridMain0);
    for (ScheduleRowValues row; reader.next(row);) {
        if (!row.isEmpty(colLumpSum))
            marks.push_back({row.date(), row[colLumpSum], 0});
        // A lump sum paid between two payments has no balance of its own: the next payment shows what it left.
        if (row.kind == ScheduleRowKind::Payment) {
            for (; waiting < marks.size(); ++waiting)
                marks[waiting].balance = row[colEndingBalance];
        }
    }
    return marks;
}

} // namespace engine
