#pragma once

#include "Dates.h"
#include "Schedule.h"

#include <memory>
#include <string>
#include <vector>

namespace engine {

class NumberFormat;

// Columns of the year-end report.
enum YearEndColumn : int {
    yearNumber = 0,
    yearFrom,
    yearUntil,
    yearInterest,
    yearPrincipal,
    yearBalance,
    yearPayment,
    yearLumpSums,
    yearCumulativePayments,
    yearCumulativeInterest,
    yearCumulativePrincipal,
    kYearEndColumnCount
};

// Column headers of the report as the grid shows them: the year's number has none.
const char *yearEndCaption(int column);

// One loan year: money as the schedule shows it, to the cent.
struct YearEndRow
{
    int year = 0; // from 1
    Date from = kNoDate;
    Date until = kNoDate;
    double interest = 0;
    double principal = 0;
    double balance = 0;
    double payment = 0; // everything paid in the year, lump sums included
    double lumpSums = 0;
    double cumulativePayments = 0;
    double cumulativeInterest = 0;
    double cumulativePrincipal = 0;
};

// The year-end report: one row per loan year, held as numbers, its texts made on demand in the format of the
// schedule it was made from. Row 0 is the header; data rows start at 1, like the schedule's.
class YearEndReport
{
public:
    YearEndReport();
    explicit YearEndReport(const NumberFormat &format);

    int rows() const { return int(m_years.size()) + 1; }
    int cols() const { return kYearEndColumnCount; }
    // The cell's text: the captions in row 0, "" outside the table and for an empty cell (a year without lump sums).
    std::string text(int row, int column) const;
    // The machine-readable text: dates as yyyy-mm-dd, money plain with 2 decimals, empty cells empty.
    std::string plainText(int row, int column) const;
    // The number the cell shows (a date as its day serial); 0 outside the table, in row 0 and for an empty cell.
    double value(int row, int column) const;
    bool isEmpty(int row, int column) const;
    const std::vector<YearEndRow> &years() const { return m_years; }
    const NumberFormat &format() const { return *m_format; }

    void append(const YearEndRow &year) { m_years.push_back(year); }

private:
    std::string cellText(int row, int column, const NumberFormat &format, bool plain) const;

    std::shared_ptr<const NumberFormat> m_format;
    std::vector<YearEndRow> m_years;
};

// Whether a payment on `date` is the last one of its loan year: it falls in the closing month (1..12) and the next
// payment of its frequency falls in the month after.
bool closesLoanYear(Date date, int frequency, int closingMonth);

// The schedule of a computed loan summed up by loan years, each ending with the last payment of the closing month
// (1..12); the last year ends with the schedule, however far into its year. Progress is reported once per schedule
// row.
YearEndReport yearEndReport(const LoanDocument &doc, int closingMonth, const ProgressFn &progress = {});

} // namespace engine
