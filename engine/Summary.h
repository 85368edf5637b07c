#pragma once

#include "Dates.h"

#include <string>
#include <utility>
#include <vector>

namespace engine {

struct LoanDocument;
class NumberFormat;

// What the summary shows besides the loan's own figures.
struct SummaryOptions
{
    // Today, for the "Trigger Rate" row (the rate at which the payment due then only covers the interest); the zero
    // date leaves the row out, so that the figures do not depend on the day they are made (the command line).
    Date today = kNoDate;
};

// The loan's key figures as label and value texts, in the order the summary table shows them. Rows that apply only to
// some loans come only when they do: "Interest Rounded" when the interest is rounded each period, "Trigger Rate" with
// a today, "Periods Not Covering Interest" when some payment does not cover its interest, and "Balance Left" last,
// when the last payment leaves something owing.
std::vector<std::pair<std::string, std::string>> summaryRows(const LoanDocument &doc, const NumberFormat &format,
                                                             const SummaryOptions &options = {});

// The date of payment 1 of a computed loan, whatever the document's own date means; without payments, the date the
// calendar gives it (the zero date when there is none).
Date firstPaymentDate(const LoanDocument &doc);

// One point of the summary chart (a row of gridChart): a payment's ending balance and the interest paid up to it, as
// the schedule shows them.
struct ChartSample
{
    int period = 0;
    Date date = kNoDate;
    double endingBalance = 0;
    double cumulativeInterest = 0;
    friend bool operator==(const ChartSample &, const ChartSample &) = default;
};

// gridChart's columns: the payment's number, its date, its ending balance, the interest paid up to it (texts as the
// schedule shows them) and the date's day serial.
inline constexpr int kChartColumns = 5;
std::string chartCellText(const ChartSample &sample, int column, const NumberFormat &format);

// Every how many payments the chart takes a sample, so that a loan of any length gives about 50: the number of
// periods divided by 50, rounded up. 0 for a loan without payments.
int chartStep(double periods);
// The rows of gridChart: payments 1, 1 + step, 1 + 2 step, ... and the last payment, which closes the line however
// the steps fall. Empty for a schedule without payments.
std::vector<ChartSample> gridChart(const LoanDocument &doc);

} // namespace engine
