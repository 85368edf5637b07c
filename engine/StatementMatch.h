#pragma once

#include "Dates.h"
#include "Statement.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace engine {

struct LoanDocument;
class NumberFormat;

// The conventions a lender may count by differently from the document, and the annual rate.
struct Conventions
{
    int compounding = 0;
    int periodsPerYearIndex = 0;
    int startPayment = 0;
    double annualRate = 0;
    bool rateFromStatement = false; // solved from the statement's first Interest figure
    bool roundInterestEachPeriod = false; // the lender rounds each period's interest to the cent
    friend bool operator==(const Conventions &, const Conventions &) = default;
};

Conventions documentConventions(const LoanDocument &doc);
// Gives the document these conventions and rate. A changed start-payment convention keeps the anchor date and brings
// the start date the wizard keeps with it: the anchor itself when the anchor is the day the money was lent, and
// otherwise one period before the anchor unless the start date is already before it.
void applyConventions(LoanDocument &doc, const Conventions &conventions);

// How a schedule recomputed under some conventions compares with the statement.
struct CandidateResult
{
    Conventions conventions;
    bool isDocument = false; // the document's own conventions and rate
    int rowsMatched = 0; // statement rows whose date has a schedule row
    int rowsAgreeing = 0; // matched rows agreeing to the cent in every column the statement gives
    double largestDifference = 0; // over the compared cells; 0 when no row matched
    int firstDisagreeingLine = 0; // the statement line of the earliest row that disagrees or has no match; 0 for none
    Date firstDisagreeingDate = kNoDate;
};

struct MatchResult
{
    std::vector<CandidateResult> candidates; // best first
    int statementRows = 0;
    std::string error; // why nothing could be recomputed; empty otherwise
    bool ok() const { return error.empty(); }
    // The best candidate agrees with every cell of the statement.
    bool reproduced() const { return ok() && !candidates.empty() && candidates.front().rowsAgreeing == statementRows; }
};

// Called after each set of conventions with the sets done and their number.
using MatchProgressFn = std::function<void(int done, int total)>;

// Recomputes the document (a copy; the document itself is not changed) under every compounding a mortgage may have,
// every year length of a weekly or bi-weekly frequency, both start-payment conventions and the interest rounded to the
// cent each period or not, each with the document's
// rate and with the rate that reproduces the statement's first Interest figure, matches the statement's rows to the
// schedule's by date, and ranks the candidates: most rows agreeing, then most rows matched, then the smallest
// difference; on a tie the document's own conventions and rate come first.
MatchResult matchStatement(const LoanDocument &doc, const Statement &statement, const NumberFormat &format,
                           const MatchProgressFn &progress = {});

// One statement row beside the schedule row recomputed for its date.
struct RowComparison
{
    int scheduleRow = 0; // row of gridMain0; 0 when the schedule has no row on the statement row's date
    std::array<std::optional<double>, kStatementColumnCount> computed; // where the statement gives the column
    std::array<bool, kStatementColumnCount> differs {};
    bool agrees() const { return scheduleRow > 0 && !differs[0] && !differs[1] && !differs[2] && !differs[3]; }
};

struct CandidateComparison
{
    CandidateResult result;
    std::vector<RowComparison> rows; // one per statement row, in the statement's order
    std::string error; // the schedule could not be computed under these conventions
};

// The statement row by row beside the schedule recomputed under `conventions`.
CandidateComparison compareCandidate(const LoanDocument &doc, const Statement &statement, const NumberFormat &format,
                                     const Conventions &conventions);

// In plain words, what drifts between the statement and a candidate's schedule: a steady difference in Interest
// (another rate), a growing one (another compounding or year length), single rows (dates or amounts the lender
// changed), rows on dates the schedule has no payment on. Empty when every row agrees.
std::string describeDrift(const Statement &statement, const CandidateComparison &comparison,
                          const NumberFormat &format);

// What applying a candidate changes in the document, in a sentence; empty when it changes nothing.
std::string describeChanges(const LoanDocument &doc, const Conventions &conventions, const NumberFormat &format);
// What a candidate that reproduces every row of the statement says of the lender, in a sentence: that the lender
// rounds interest each period, when the candidate does.
std::string describeAgreement(const Conventions &conventions);

// What the candidate's conventions are called: the wizard's compounding and year-length texts, the start-payment
// convention, and the rate as a percentage with four decimals.
std::string compoundingText(int loanType, int compounding);
std::string yearLengthText(int frequency, int periodsPerYearIndex);
std::string startPaymentText(int startPayment);
// "Each Period" for interest rounded to the cent each period, "None" for interest kept unrounded.
std::string interestRoundingText(bool roundInterestEachPeriod);

} // namespace engine
