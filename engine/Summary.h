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
    // Today, for the "Trigger Rate" row (the rate at which the payment due then only covers the interest) and the
    // privilege of today's privilege year; the zero date leaves those rows out, so that the figures do not depend on
    // the day they are made (the command line).
    Date today = kNoDate;
};

// The loan's key figures as label and value texts, in the order the summary table shows them. Rows that apply only to
// some loans come only where they do: "Interest Rounded" after the compounding when the interest is rounded each
// period; the purchase price, the down payment and the insurance premium after it; "Trigger Rate" after the annual
// rate, given a today; "Periods Not Covering Interest" after the number of periods when some payment does not cover
// its interest; the total of the lump sums the schedule applied after the interest paid; given a today and prepayment
// terms, "Prepayment Privilege", "Privilege Used" and "Privilege Left" of today's privilege year after them;
// "Balance Left" last, when the last payment leaves something owing.
std::vector<std::pair<std::string, std::string>> summaryRows(const LoanDocument &doc, const NumberFormat &format,
                                                             const SummaryOptions &options = {});

// The date of payment 1 of a computed loan, whatever the document's own date means; without payments, the date the
// calendar gives it (the zero date when there is none).
Date firstPaymentDate(const LoanDocument &doc);

// A length of the amortization with its unit, worded as the program words lengths: "25 Years", "1 Year",
// "240 Months".
std::string amortizationLength(double length, int unit);

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

// A lump sum the schedule applied, as the chart marks it: on its date, at the balance the schedule shows once it is
// paid (its own row's ending balance, or the next payment's for a lump sum paid between two payments).
struct LumpSumMark
{
    Date date = kNoDate;
    double amount = 0;
    double balance = 0;
    friend bool operator==(const LumpSumMark &, const LumpSumMark &) = default;
};
std::vector<LumpSumMark> chartLumpSums(const LoanDocument &doc);

} // namespace engine
