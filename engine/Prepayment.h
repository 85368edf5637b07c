#pragma once

#include "Dates.h"
#include "PrepaymentTerms.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace engine {

struct LoanDocument;
class NumberFormat;

// One privilege year of a computed loan with prepayment terms: what may be prepaid in it without a charge, and what
// was. Unused room is not carried into the next year.
struct PrivilegeYear
{
    Date start = kNoDate; // first and last day, both in the year
    Date end = kNoDate;
    double limit = 0; // the lump-sum percentage of the original loan amount
    double used = 0; // the lump sums paid in the year, and with one combined cap the payments above the base payment
    double left = 0; // what the limit leaves, never below 0
    double excess = 0; // what was paid over the limit
    bool unlimited = false; // an open mortgage: anything may be prepaid, and limit, left and excess say nothing
    friend bool operator==(const PrivilegeYear &, const PrivilegeYear &) = default;
};

// The privilege years from the one of the schedule's first date to the one of its last: calendar years, or loan years
// from the first payment date (anything paid before that counts in the first). Empty without terms or a schedule.
std::vector<PrivilegeYear> privilegeYears(const LoanDocument &doc);
// The index in `years` of the year holding `date`; nothing outside them.
std::optional<std::size_t> privilegeYearOf(const std::vector<PrivilegeYear> &years, Date date);

// A schedule row that prepays more than, or otherwise than, the terms allow.
struct PrivilegeMark
{
    enum Kind : unsigned {
        OverLimit = 1, // a lump sum that takes its year's total over the limit
        UnderMinimum = 2, // a lump sum below the minimum
        OverIncreaseCap = 4, // a payment change above the payment-increase privilege
    };
    int row = 0; // in gridMain0
    unsigned kinds = 0; // the Kind bits that apply
    std::size_t year = 0; // index of the privilege year
    double amount = 0; // the lump sum, or the new payment
    double overLimit = 0; // what this lump sum adds above the year's limit
    double underMinimum = 0; // what the lump sum lacks of the minimum
    double increaseCap = 0; // the highest payment the privilege allows
    double overIncreaseCap = 0; // the new payment less that
    double estimatedCharge = 0; // what the lump sum over the limit may cost, rates unchanged, the fee included
    bool has(Kind kind) const { return kinds & kind; }
    friend bool operator==(const PrivilegeMark &, const PrivilegeMark &) = default;
};

struct PrivilegeCheck
{
    PrivilegeYearKind kind = PrivilegeYearKind::Calendar;
    std::vector<PrivilegeYear> years;
    std::vector<PrivilegeMark> marks; // in row order, at most one per row

    // The mark of a schedule row; null for a row without one.
    const PrivilegeMark *markOf(int row) const;
};

// The privilege years and the marked rows of a computed loan; nothing for a document without terms or an open
// mortgage's rows.
PrivilegeCheck checkPrivileges(const LoanDocument &doc);

// What a mark says, for a tooltip: "Exceeds the 2027 privilege by $5,000.00; estimated charge $1,200.00", a loan
// year named by its first and last day.
std::string markText(const PrivilegeMark &mark, const PrivilegeCheck &check, const NumberFormat &format);
// The privilege year as a user names it: "2027", or "2/1/2027 to 1/31/2028".
std::string privilegeYearName(const PrivilegeYear &year, PrivilegeYearKind kind, const NumberFormat &format);

// The privilege years as a table: a header row (Start, End, Limit, Used, Left, Excess), then one row per year.
// `format` null: dates yyyy-mm-dd and plain decimals. An open mortgage's limit, left and excess are empty.
std::vector<std::vector<std::string>> privilegeTable(const std::vector<PrivilegeYear> &years,
                                                     const NumberFormat *format);

// The figures a break penalty is computed from.
struct PenaltyInputs
{
    PenaltyMethod method = PenaltyMethod::GreaterOfThreeMonthsAndIrd;
    double amount = 0; // the amount charged on
    double contractRate = 0; // fractions
    double comparisonRate = 0;
    // For the posted comparison: today's posted rate and the posted rate when the mortgage was signed; the
    // comparison rate is then today's posted rate less the discount (the posted rate then less the contract rate).
    std::optional<double> postedToday;
    double originalPostedRate = 0;
    int monthsLeft = 0; // whole months to maturity, rounded down
    int daysLeft = 0; // days to maturity, for the interest to maturity of a term with under three months left
    bool fiveYearRule = false; // a term over five years, from its fifth anniversary on: three months' interest only
    int loanYear = 1; // for the percentage method, from 1
    std::vector<double> percentByLoanYear;
    double flatFee = 0;
};

// A break penalty, each figure rounded half up to the cent from the unrounded ones before it.
struct PenaltyFigures
{
    double comparisonRate = 0; // the one used, after the posted rate's discount
    double threeMonthsInterest = 0; // or the interest to maturity, under three months left
    bool interestToMaturity = false;
    std::optional<double> ird; // nothing when the method has none or the rate difference is not positive
    std::optional<double> percentCharge; // the percentage method's charge
    double percent = 0; // its percentage
    double charge = 0; // the method's result plus the fee
    std::vector<std::string> formulas; // each figure's formula with its numbers
};
PenaltyFigures penaltyFigures(const PenaltyInputs &inputs, const NumberFormat &format);

// A request for the estimate of a break penalty: the date, the amount prepaid (nothing: the balance on that date),
// the comparison rate and, for the posted comparison, today's posted rate (fractions).
struct PenaltyRequest
{
    Date date = kNoDate;
    std::optional<double> amount;
    double comparisonRate = 0;
    std::optional<double> postedRate;
};

enum class PenaltyError { None, NoTerms, BadTerms, DateOutsideSchedule, AmountOverBalance, PostedRateMissing };

// The estimate for a computed loan with terms.
struct PenaltyEstimate
{
    PenaltyError error = PenaltyError::None;
    std::string message; // why there is no estimate
    Date date = kNoDate;
    Date maturity = kNoDate;
    double balance = 0; // owed on the date, once its own rows are paid
    double amount = 0; // prepaid
    double privilegeLeft = 0; // in the date's privilege year
    double charged = 0; // the amount the penalty is charged on
    double contractRate = 0; // in force on the date
    PenaltyInputs inputs;
    PenaltyFigures figures;
    bool ok() const { return error == PenaltyError::None; }
};
PenaltyEstimate breakPenalty(const LoanDocument &doc, const PenaltyRequest &request, const NumberFormat &format);

// The estimate as label and value texts, the formulas last and a note that lenders' own figures rule. `format`
// gives the dates, amounts and rates.
std::vector<std::pair<std::string, std::string>> penaltyRows(const PenaltyEstimate &estimate,
                                                             const NumberFormat &format);

// Whole months from `from` to `to`, rounded down (a month counted when its day is reached); 0 when `to` is not later.
int wholeMonthsBetween(Date from, Date to);
// An amount rounded half up to the cent, a result a hair under a half cent from binary noise counting as the half.
double centsHalfUp(double amount);

} // namespace engine
