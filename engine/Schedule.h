#pragma once

#include "Limits.h"
#include "LoanDocument.h"

#include <functional>
#include <string>

namespace engine {

class NumberFormat;

// Called once per period with the current period and the progress scale (the periods divided by 0.6), so that
// the schedule fills the first 60 % of a progress bar.
using ProgressFn = std::function<void(int done, int total)>;

struct CalculateResult
{
    bool ok = true;
    std::string message; // what to tell the user when the schedule could not be computed
    explicit operator bool() const { return ok; }
};

// Rebuilds the schedule table gridMain0 from the loan parameters and the change tables, writes the row at which
// each change was applied into column 3 of its table, and stores the rates and the totals in the document.
// On failure nothing in the document changes and the result says why.
CalculateResult Calculate(LoanDocument &doc, const NumberFormat &format, const ProgressFn &progress = {});

// Whether the loan's term covers its amortization (to the nearest period): its last payment is the one that repays the
// loan, rather than leaving a balance to renew. False for a loan without an amortization.
bool termCoversAmortization(const LoanDocument &doc);
// The amortization as a number of payment periods, to the nearest whole period.
int amortizationPeriods(const LoanDocument &doc);

// The annual rate (a fraction) and the basic payment in force at schedule row `row` of a computed loan: the
// document's own until a change table's entry was applied at or before that row.
struct TermsInForce
{
    double annualRate = 0;
    double payment = 0;
};
TermsInForce termsInForce(const LoanDocument &doc, int row);

} // namespace engine
