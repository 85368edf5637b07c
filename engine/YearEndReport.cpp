#include "YearEndReport.h"

#include "Calendar.h"
#include "Codes.h"
#include "LoanDocument.h"
#include "NumberFormat.h"

#include <array>

namespace engine {

namespace {

bool isDateColumn(int column)
{
    return column == yearFrom || column == yearUntil;
}

// The figures a year row reads at its end.
struct Totals
{
    double balance = 0;
    double cumulativePayments = 0;
    double cumulativeInterest = 0;
    double cumulativePrincipal = 0;
};

} // namespace

const char *yearEndCaption(int column)
{
    static constexpr std::array<const char *, kYearEndColumnCount> captions = {"",
                                                                               "From",
                                                                               "Until",
                                                                               "Interest",
                                                                               "Principal",
                                                                               "Balance",
                                                                               "Payment",
                                                                               "Lump Sums",
                                                                               "Cumulative Payments",
                                                                               "Cumulative Interest",
                                                                               "Cumulative Principal"};
    return column >= 0 && column < kYearEndColumnCount ? captions[size_t(column)] : "";
}

YearEndReport::YearEndReport()
    : m_format(std::make_shared<const NumberFormat>())
{ }

YearEndReport::YearEndReport(const NumberFormat &format)
    : m_format(std::make_shared<const NumberFormat>(format))
{ }

bool YearEndReport::isEmpty(int row, int column) const
{
    if (row < 1 || row >= rows() || column < 0 || column >= kYearEndColumnCount)
        return row != 0 || *yearEndCaption(column) == '\0';
    return column == yearLumpSums && m_years[size_t(row - 1)].lumpSums == 0;
}

double YearEndReport::value(int row, int column) const
{
    if (row < 1 || isEmpty(row, column))
        return 0;
    const YearEndRow &y = m_years[size_t(row - 1)];
    const std::array<double, kYearEndColumnCount> values = {
        double(y.year), double(y.from), double(y.until),      y.interest,           y.principal,          y.balance,
        y.payment,      y.lumpSums,     y.cumulativePayments, y.cumulativeInterest, y.cumulativePrincipal};
    return values[size_t(column)];
}

std::string YearEndReport::text(int row, int column) const
{
    return cellText(row, column, *m_format, false);
}

std::string YearEndReport::plainText(int row, int column) const
{
    return cellText(row, column, plainFormat(), true);
}

std::string YearEndReport::cellText(int row, int column, const NumberFormat &format, bool plain) const
{
    if (row == 0)
        return yearEndCaption(column);
    if (isEmpty(row, column))
        return {};
    const double v = value(row, column);
    if (column == yearNumber)
        return std::to_string(int(v));
    if (isDateColumn(column))
        return format.formatDate(Date(v));
    return plain ? format.fixed(v, 2) : format.currency(v);
}

bool closesLoanYear(Date date, int frequency, int closingMonth)
{
    if (date == kNoDate || !isValidSerial(date))
        return false;
    const Ymd d = toYmd(date);
    if (d.month != closingMonth)
        return false;
    const int last = fLastDayOfMonth(d.year, d.month);
    switch (frequency) {
    case kMonthly:
    case kAnnually: // one payment a year: the one in the closing month ends it
        return true;
    case kSemiMonthly:
        return d.day + (last - 15) > last;
    case kBiWeeklyAccelerated:
    case kBiWeekly:
        return d.day + 14 > last;
    case kWeeklyAccelerated:
    case kWeekly:
        return d.day + 7 > last;
    default:
        return false;
    }
}

YearEndReport yearEndReport(const LoanDocument &doc, int closingMonth, const ProgressFn &progress)
{
    const ScheduleTable &schedule = doc.gridMain0;
    YearEndReport report(schedule.format());
    const int lastRow = schedule.rows() - 1;
    ScheduleReader reader(schedule);
    ScheduleRowValues row;
    if (!reader.next(row))
        return report;

    // Balances and running totals are read from payment rows only: a lump sum paid between payments shows its
    // cumulative payments and nothing else, so it never ends a year and counts in the year it falls in. The year's own
    // figures are the sums of its rows' figures, rounded once.
    Totals latest;
    latest.balance = roundAsShown(doc.gdblLoanAmount, 2);
    YearEndRow year;
    year.from = row.date();
    double interest = 0;
    double principal = 0;
    double paid = 0;
    double lumpSums = 0;
    bool yearOpen = false; // rows were read since the last year row
    bool startYear = false;
    auto close = [&](Date until) {
        year.year = int(report.years().size()) + 1;
        year.until = until;
        year.balance = latest.balance;
        year.cumulativePayments = latest.cumulativePayments;
        year.cumulativeInterest = latest.cumulativeInterest;
        year.cumulativePrincipal = latest.cumulativePrincipal;
        year.interest = roundAsShown(interest, 2);
        year.principal = roundAsShown(principal, 2);
        year.payment = roundAsShown(paid, 2);
        year.lumpSums = roundAsShown(lumpSums, 2);
        report.append(year);
        interest = principal = paid = lumpSums = 0;
        yearOpen = false;
    };

    while (reader.next(row)) {
        if (progress)
            progress(row.row, lastRow);
        if (startYear) {
            year = YearEndRow();
            year.from = row.date();
            startYear = false;
        }
        yearOpen = true;
        interest += reader.unrounded(colInterest);
        principal += reader.unrounded(colPrincipal);
        paid += reader.unrounded(colPayment) + reader.unrounded(colLumpSum);
        lumpSums += reader.unrounded(colLumpSum);
        if (!row.isEmpty(colCumulativePayments))
            latest.cumulativePayments = row[colCumulativePayments];
        if (row.kind != ScheduleRowKind::Payment)
            continue;
        latest.balance = row[colEndingBalance];
        latest.cumulativeInterest = row[colCumulativeInterest];
        latest.cumulativePrincipal = row[colCumulativePrincipal];
        if (closesLoanYear(row.date(), doc.gintFreqOfInst, closingMonth)) {
            close(row.date());
            startYear = true;
        }
    }
    if (yearOpen)
        close(row.date());
    return report;
}

} // namespace engine
