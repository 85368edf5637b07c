#pragma once

#include "Dates.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace engine {

struct LoanDocument;
class NumberFormat;

// How many loans a comparison sets side by side.
inline constexpr std::size_t kFewestComparedLoans = 2;
inline constexpr std::size_t kMostComparedLoans = 4;
inline constexpr bool canCompare(std::size_t loans)
{
    return loans >= kFewestComparedLoans && loans <= kMostComparedLoans;
}

// At most this many points of a loan's balance line, so that loans of any length draw (and print) at once.
inline constexpr int kBalanceSamples = 240;

struct BalancePoint
{
    Date date = kNoDate;
    double balance = 0;
    friend bool operator==(const BalancePoint &, const BalancePoint &) = default;
};

// One loan's figures, read once from its computed schedule, each as the program shows it (money to the cent, rates
// as the percentage shown); a comparison is built from these, so that a refresh after one loan changes reads only
// that loan's schedule again.
struct ComparedLoan
{
    std::string title;
    double loanAmount = 0;
    double firstRate = 0; // percent
    std::optional<double> lastRate; // percent, in force at the last payment; nothing without payments
    int frequency = 0;
    double basicPayment = 0;
    double periods = 0;
    Date firstPayment = kNoDate; // the date of payment 1, whatever the document's own date means
    Date lastPayment = kNoDate;
    double balanceLeft = 0; // after the last payment (the whole amount without one): a loan not repaid in its term
    double totalPayments = 0;
    double interestPaid = 0;
    double lumpSums = 0;
    // The start of the loan and then its ending balance over time, with its last payment.
    std::vector<BalancePoint> balance;
};

// Reads a computed document. Its title heads the column; a document without one is named by its file name.
ComparedLoan comparedLoan(const LoanDocument &doc);

// How a comparison cell's number is shown.
enum class ComparisonKind { Money, Rate, Count, Day, Frequency, Duration };

struct ComparisonRow
{
    std::string label;
    ComparisonKind kind = ComparisonKind::Money;
    // One per loan, nothing for an empty cell. Money and rates as shown, a frequency code, a day serial, a
    // duration in whole months (negative when the loan takes longer).
    std::vector<std::optional<double>> values;
    bool difference = false; // measured against the first loan: negative when the loan fares worse
};

struct LoanComparison
{
    std::string error; // not empty: the loans cannot be compared, and nothing else is set
    std::vector<std::string> titles;
    std::vector<ComparisonRow> rows;
    std::vector<std::vector<BalancePoint>> balances; // one line per loan, in column order

    bool ok() const { return error.empty(); }
    // The row of a label; null when the comparison has none (the last rate, when no loan's rate changes).
    const ComparisonRow *row(const std::string &label) const;
    // The table as texts: a header row with an empty corner and the titles, then one row per figure with its label
    // first. `format` null: the machine-readable texts (plainComparisonText).
    std::vector<std::vector<std::string>> table(const NumberFormat *format) const;
};

// The figures of 2 to 4 loans side by side; the first is the one the others are measured against ("Interest Saved",
// "Paid Off Earlier By").
LoanComparison compareLoans(std::vector<ComparedLoan> loans);
LoanComparison compareDocuments(const std::vector<const LoanDocument *> &docs);

// A cell as the program shows it in `format`; empty for an empty cell.
std::string comparisonText(const ComparisonRow &row, std::size_t loan, const NumberFormat &format);
// The machine-readable text: money plain with 2 decimals, rates in percent with 4, dates yyyy-mm-dd.
std::string plainComparisonText(const ComparisonRow &row, std::size_t loan);

// The whole months from `from` to `to`, to the nearest month; negative when `to` comes first.
int monthsBetween(Date from, Date to);
// A number of months as years and months: "2 YR 3 MTH", "-1 YR 0 MTH".
std::string yearsMonthsText(int months);

// Texts joined into lines, as a spreadsheet opens them and a terminal shows them: control characters are shown as
// \xNN, a cell holding the separator or a quote is quoted, its quotes doubled, and a cell a spreadsheet would take
// for a formula (see spreadsheetText) starts with an apostrophe. `format`: the one the cells are shown in, when they
// are not plain.
std::string delimitedText(const std::vector<std::vector<std::string>> &table, char separator,
                          const NumberFormat *format = nullptr);
// `cell` as text a spreadsheet keeps as text: one starting with "=", "+", "@", a tab or a carriage return, or with
// "-" when it is not a number (plain, or as `format` shows one), gets a leading apostrophe.
std::string spreadsheetText(std::string_view cell, const NumberFormat *format = nullptr);

} // namespace engine
