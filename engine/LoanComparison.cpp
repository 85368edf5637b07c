#include "LoanComparison.h"

#include "Codes.h"
#include "LoanDocument.h"
#include "MessageText.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace engine {

namespace {

std::string columnTitle(const LoanDocument &doc)
{
    if (doc.gstrTitle.find_first_not_of(' ') != std::string::npos)
        return doc.gstrTitle;
    return std::filesystem::path(doc.gstrFileName).filename().string();
}

// The ending balance over time: the amount lent at the start, then payments about evenly spread over the schedule,
// and the last payment, which closes the line however the steps fall.
std::vector<BalancePoint> balanceLine(const ScheduleTable &table, double loanAmount, int lastPaymentRow)
{
    std::vector<BalancePoint> points;
    const int dataRows = table.rows() - 1;
    if (dataRows < 1)
        return points;
    points.push_back({table.row(1).date(), loanAmount});
    if (lastPaymentRow < 1)
        return points;
    const int step = std::max(1, (dataRows + kBalanceSamples - 1) / kBalanceSamples);
    for (int r = 1 + step; r < lastPaymentRow; r += step) {
        // A lump sum paid between two payments has no balance of its own; the payments around it show its effect.
        const ScheduleRowValues row = table.row(r);
        if (row.kind == ScheduleRowKind::Payment)
            points.push_back({row.date(), row[colEndingBalance]});
    }
    const ScheduleRowValues last = table.row(lastPaymentRow);
    points.push_back({last.date(), last[colEndingBalance]});
    return points;
}

ComparisonRow makeRow(const std::vector<ComparedLoan> &loans, std::string label, ComparisonKind kind,
                      std::optional<double> (*value)(const ComparedLoan &))
{
    ComparisonRow row {std::move(label), kind, {}, false};
    for (const ComparedLoan &loan : loans)
        row.values.push_back(value(loan));
    return row;
}

std::optional<double> dateValue(Date date)
{
    return date == kNoDate ? std::nullopt : std::optional<double>(date);
}

} // namespace

ComparedLoan comparedLoan(const LoanDocument &doc)
{
    const ScheduleTable &table = doc.gridMain0;
    ComparedLoan loan;
    loan.title = columnTitle(doc);
    loan.loanAmount = roundAsShown(doc.gdblLoanAmount, 2);
    loan.firstRate = roundAsShown(doc.gdblAnnualRate * 100.0, 4);
    loan.frequency = doc.gintFreqOfInst;
    loan.basicPayment = roundAsShown(doc.gdblBasicPayment, 2);
    loan.periods = doc.gdblNumberOfPeriods;
    loan.lastPayment = doc.gdtmLastPaymentDate;
    loan.totalPayments = roundAsShown(doc.gdblTotalPayments, 2);
    loan.interestPaid = roundAsShown(doc.gdblInterestPaid, 2);
    loan.lumpSums = table.lumpSumTotal();

    ScheduleReader reader(table);
    for (ScheduleRowValues row; reader.next(row);) {
        if (row.kind == ScheduleRowKind::Payment) {
            loan.firstPayment = row.date();
            break;
        }
    }
    // Without a payment the whole amount is left.
    loan.balanceLeft = table.balanceLeft();
    int lastPaymentRow = table.rows() - 1;
    for (; lastPaymentRow >= 1; --lastPaymentRow) {
        const ScheduleRowValues row = table.row(lastPaymentRow);
        if (row.kind == ScheduleRowKind::Payment) {
            loan.lastRate = row[colAnnualRate];
            break;
        }
    }
    loan.balance = balanceLine(table, loan.loanAmount, lastPaymentRow);
    return loan;
}

const ComparisonRow *LoanComparison::row(const std::string &label) const
{
    const auto found = std::find_if(rows.begin(), rows.end(), [&](const ComparisonRow &r) { return r.label == label; });
    return found == rows.end() ? nullptr : &*found;
}

std::vector<std::vector<std::string>> LoanComparison::table(const NumberFormat *format) const
{
    std::vector<std::vector<std::string>> cells;
    cells.reserve(rows.size() + 1);
    cells.push_back({""});
    cells.back().insert(cells.back().end(), titles.begin(), titles.end());
    for (const ComparisonRow &r : rows) {
        std::vector<std::string> line {r.label};
        for (std::size_t loan = 0; loan < r.values.size(); ++loan)
            line.push_back(format ? comparisonText(r, loan, *format) : plainComparisonText(r, loan));
        cells.push_back(std::move(line));
    }
    return cells;
}

LoanComparison compareLoans(std::vector<ComparedLoan> loans)
{
    LoanComparison out;
    if (!canCompare(loans.size())) {
        out.error = "A comparison needs from " + std::to_string(kFewestComparedLoans) + " to "
            + std::to_string(kMostComparedLoans) + " loans, not " + std::to_string(loans.size()) + ".";
        return out;
    }
    using K = ComparisonKind;
    auto &rows = out.rows;
    rows.push_back(
        makeRow(loans, "Loan Amount", K::Money, [](const ComparedLoan &l) { return std::optional(l.loanAmount); }));
    rows.push_back(
        makeRow(loans, "Annual Rate", K::Rate, [](const ComparedLoan &l) { return std::optional(l.firstRate); }));
    const bool rateChanges = std::any_of(
        loans.begin(), loans.end(), [](const ComparedLoan &l) { return l.lastRate && *l.lastRate != l.firstRate; });
    if (rateChanges)
        rows.push_back(makeRow(loans, "Last Annual Rate", K::Rate, [](const ComparedLoan &l) { return l.lastRate; }));
    rows.push_back(makeRow(loans, "Frequency of Installment", K::Frequency,
                           [](const ComparedLoan &l) { return std::optional<double>(l.frequency); }));
    rows.push_back(makeRow(loans, "Basic Payments", K::Money,
                           [](const ComparedLoan &l) { return std::optional(l.basicPayment); }));
    rows.push_back(
        makeRow(loans, "Number of Periods", K::Count, [](const ComparedLoan &l) { return std::optional(l.periods); }));
    rows.push_back(
        makeRow(loans, "First Payment Date", K::Day, [](const ComparedLoan &l) { return dateValue(l.firstPayment); }));
    rows.push_back(
        makeRow(loans, "Last Payment Date", K::Day, [](const ComparedLoan &l) { return dateValue(l.lastPayment); }));
    // A loan not repaid within its term is no cheaper for its lower interest: what it leaves is shown.
    const bool balanceLeft =
        std::any_of(loans.begin(), loans.end(), [](const ComparedLoan &l) { return l.balanceLeft >= 0.01; });
    if (balanceLeft)
        rows.push_back(makeRow(loans, "Balance Left", K::Money,
                               [](const ComparedLoan &l) { return std::optional(l.balanceLeft); }));
    rows.push_back(makeRow(loans, "Total Payments", K::Money,
                           [](const ComparedLoan &l) { return std::optional(l.totalPayments); }));
    rows.push_back(
        makeRow(loans, "Interest Paid", K::Money, [](const ComparedLoan &l) { return std::optional(l.interestPaid); }));
    rows.push_back(
        makeRow(loans, "Lump Sums", K::Money, [](const ComparedLoan &l) { return std::optional(l.lumpSums); }));

    // Every later loan measured against the first: what it saves (negative when it costs more) and how much sooner
    // it is repaid.
    const ComparedLoan &first = loans.front();
    ComparisonRow saved {"Interest Saved", K::Money, {std::nullopt}, true};
    ComparisonRow earlier {"Paid Off Earlier By", K::Duration, {std::nullopt}, true};
    // A loan that repays nothing (no payment, or payments that do not cover the interest) saves nothing, nor is
    // anything saved against it.
    const auto repaysNothing = [](const ComparedLoan &l) { return !(l.balanceLeft < l.loanAmount); };
    for (std::size_t i = 1; i < loans.size(); ++i) {
        if (repaysNothing(first) || repaysNothing(loans[i]))
            saved.values.push_back(std::nullopt);
        else
            saved.values.push_back(roundAsShown(first.interestPaid - loans[i].interestPaid, 2));
        // A loan that still owes more than one payment after its last is not paid off then: there is no payoff to
        // compare. Less than a payment left (the cents a rounded payment leaves) counts as repaid at the last payment,
        // the date its summary shows.
        const auto repaid = [](const ComparedLoan &l) {
            return l.lastPayment != kNoDate && l.balanceLeft < std::max(0.01, l.basicPayment);
        };
        if (repaid(first) && repaid(loans[i]))
            earlier.values.push_back(monthsBetween(loans[i].lastPayment, first.lastPayment));
        else
            earlier.values.push_back(std::nullopt);
    }
    rows.push_back(std::move(saved));
    rows.push_back(std::move(earlier));

    for (ComparedLoan &loan : loans) {
        out.titles.push_back(std::move(loan.title));
        out.balances.push_back(std::move(loan.balance));
    }
    return out;
}

LoanComparison compareDocuments(const std::vector<const LoanDocument *> &docs)
{
    std::vector<ComparedLoan> loans;
    loans.reserve(docs.size());
    for (const LoanDocument *doc : docs)
        loans.push_back(comparedLoan(*doc));
    return compareLoans(std::move(loans));
}

std::string comparisonText(const ComparisonRow &row, std::size_t loan, const NumberFormat &format)
{
    if (loan >= row.values.size() || !row.values[loan])
        return {};
    const double v = *row.values[loan];
    switch (row.kind) {
    case ComparisonKind::Money:
        return format.currency(v);
    case ComparisonKind::Rate:
        return format.percentage(v, 4, false);
    case ComparisonKind::Count:
        return plainNumber(v);
    case ComparisonKind::Day:
        return format.formatDate(Date(v));
    case ComparisonKind::Frequency:
        return frequencyLabel(int(v));
    case ComparisonKind::Duration:
        return yearsMonthsText(int(v));
    }
    return {};
}

std::string plainComparisonText(const ComparisonRow &row, std::size_t loan)
{
    if (loan >= row.values.size() || !row.values[loan])
        return {};
    const double v = *row.values[loan];
    switch (row.kind) {
    case ComparisonKind::Money:
        return plainFormat().fixed(v, 2);
    case ComparisonKind::Rate:
        return plainFormat().fixed(v, 4);
    default:
        return comparisonText(row, loan, plainFormat());
    }
}

int monthsBetween(Date from, Date to)
{
    if (to < from)
        return -monthsBetween(to, from);
    int whole = monthDiff(from, to);
    if (addMonths(from, whole).value_or(kMaxDate) > to)
        --whole;
    const Date below = addMonths(from, whole).value_or(from);
    const Date above = addMonths(from, whole + 1).value_or(kMaxDate);
    // Half a month or more counts as a month.
    return 2 * (to - below) >= above - below ? whole + 1 : whole;
}

std::string yearsMonthsText(int months)
{
    const int magnitude = std::abs(months);
    return (months < 0 ? "-" : "") + std::to_string(magnitude / 12) + " YR " + std::to_string(magnitude % 12) + " MTH";
}

std::string spreadsheetText(std::string_view cell, const NumberFormat *format)
{
    auto number = [&] { return parsePlainNumber(cell) || (format && format->parseNumber(cell)); };
    const bool formula = !cell.empty()
        && (cell[0] == '=' || cell[0] == '+' || cell[0] == '@' || cell[0] == '\t' || cell[0] == '\r'
            || (cell[0] == '-' && !number()));
    return formula ? "'" + std::string(cell) : std::string(cell);
}

std::string delimitedText(const std::vector<std::vector<std::string>> &table, char separator,
                          const NumberFormat *format)
{
    const char special[] = {separator, '"', '\0'};
    std::string text;
    for (const std::vector<std::string> &line : table) {
        for (std::size_t c = 0; c < line.size(); ++c) {
            if (c > 0)
                text += separator;
            const std::string cell = withControlsShown(spreadsheetText(line[c], format));
            if (cell.find_first_of(special) == std::string::npos) {
                text += cell;
                continue;
            }
            text += '"';
            for (char ch : cell) {
                text += ch;
                if (ch == '"')
                    text += '"';
            }
            text += '"';
        }
        text += '\n';
    }
    return text;
}

} // namespace engine
