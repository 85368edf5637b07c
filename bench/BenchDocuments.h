#pragma once

// Loans the benchmarks compute and show.
#include "engine/Arithmetic.h"
#include "engine/NumberFormat.h"
#include "engine/Schedule.h"
#include "engine/Statement.h"
#include "engine/StatementMatch.h"

#include <cmath>

namespace bench {

using namespace engine;

inline void addEntries(TextTable &table, Date first, int count, int spacingDays, double amount,
                       const NumberFormat &format)
{
    table.setRows(count + 1);
    for (int i = 0; i < count; ++i)
        setChangeEntry(table, i + 1, first + i * spacingDays, amount, format);
}

// A 30-year Canadian mortgage paid monthly with five yearly lump sums, some between payment dates.
inline LoanDocument mortgage360(const NumberFormat &format)
{
    LoanDocument doc;
    doc.gdblLoanAmount = 350000;
    doc.gdblAnnualRate = 0.0525;
    doc.gintCompounding = 0;
    doc.gintFreqOfInst = kMonthly;
    doc.gdtmFirstPaymentDue = *exactDate(2025, 2, 1);
    doc.mdblNperTerm = 360;
    doc.gdblBasicPayment = roundToDigits(levelPayment(periodicRate(0.0525, 12, kMortgageLoan, 0), 360, -350000), 2);
    addEntries(doc.gridLumpSum, *exactDate(2026, 2, 10), 5, 365, 5000, format);
    return doc;
}

// A weekly loan over `periods` weeks with rate changes, payment changes and lump sums spread over its life. The
// rate is low and the payment a shade under the level payment, so that it runs its whole term.
inline LoanDocument weekly(int periods, const NumberFormat &format)
{
    LoanDocument doc;
    doc.gdblLoanAmount = 200000000;
    doc.gdblAnnualRate = 0.005;
    doc.gintCompounding = 1;
    doc.gintFreqOfInst = kWeekly;
    doc.gdtmFirstPaymentDue = *exactDate(2025, 1, 6);
    doc.mdblNperTerm = periods;
    const double rate = periodicRate(0.005, 365.25 / 7, kMortgageLoan, 1);
    doc.gdblBasicPayment = std::floor(levelPayment(rate, periods, -200000000) * 100) / 100;
    const Date first = doc.gdtmFirstPaymentDue;
    const int changes = periods / 450; // 200 for 90,000 periods
    addEntries(doc.gridAnnualRate, first + 7 * 10, changes, 7 * 450, 0.5, format);
    addEntries(doc.gridBasicPayment, first + 7 * 20, changes, 7 * 450, doc.gdblBasicPayment, format);
    addEntries(doc.gridLumpSum, first + 3, periods / 45, 7 * 45, 1, format); // 2,000, between payment dates
    return doc;
}

// A lender's statement of `count` payment rows ending `fromEnd` rows before the end of `doc`'s schedule, computed
// under the lender's conventions.
inline Statement lenderStatement(LoanDocument doc, const Conventions &lender, int fromEnd, int count,
                                 const NumberFormat &format)
{
    applyConventions(doc, lender);
    Calculate(doc, format);
    std::string text = "Date\tPayment\tInterest\tPrincipal\tBalance\n";
    const ScheduleTable &grid = doc.gridMain0;
    ScheduleReader reader(grid, std::max(grid.rows() - fromEnd - count, 1));
    for (ScheduleRowValues row; reader.next(row) && row.row < grid.rows() - fromEnd;) {
        text += format.formatDate(row.date());
        for (int column : {colPayment, colInterest, colPrincipal, colEndingBalance})
            text += "\t" + cellText(row, column, format);
        text += "\n";
    }
    return readStatement(text, format).statement;
}

} // namespace bench
