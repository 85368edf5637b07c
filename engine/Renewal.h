#pragma once

#include "Dates.h"

#include <string>
#include <vector>

namespace engine {

struct LoanDocument;
class NumberFormat;

// A renewal at one annual rate: the payment that repays the balance left over the amortization left, and what a new
// term as long as the last one costs in interest.
struct RenewalRate
{
    double annualRate = 0; // a fraction
    double payment = 0; // level over the periods left, rounded up to the cent
    double paymentDifference = 0; // the payment less the one paid before the renewal
    double interestOverTerm = 0; // the interest of the new term's payments, as the schedule shows it
};

// What a loan whose term is shorter than its amortization owes when its term ends, and what renewing it costs.
struct Renewal
{
    std::string error; // why the loan has nothing to renew; when set, nothing else is
    Date date = kNoDate; // the last payment of the term
    double balanceLeft = 0;
    int periodsLeft = 0; // of the amortization, after the term
    double amortizationLeft = 0; // the same as a length in the document's amortization unit
    int termPeriods = 0; // the new term is as long
    double annualRate = 0; // in force at the last payment of the term
    double payment = 0; // the basic payment in force then
    std::vector<RenewalRate> rates;
    bool ok() const { return error.empty(); }
};

// The most rates one renewal table compares.
inline constexpr int kMostRenewalRates = 20;

// The rates a renewal is shown at: 1 point below the rate (when not below 0), the rate, 1 and 2 points above it.
std::vector<double> renewalRates(double annualRate);
// The renewal of a loan at each of `rates` (fractions; none: renewalRates of the rate in force at the renewal).
Renewal renewal(const LoanDocument &doc, const std::vector<double> &rates, const NumberFormat &format);

// The renewal as a table: a header row of captions, then one row per rate with the renewal date, the balance left and
// the periods left, the rate, the payment, its difference and the interest over the term. `format` null: the
// machine-readable texts (dates yyyy-mm-dd, plain decimals, rates in percent with 4 decimals).
std::vector<std::vector<std::string>> renewalTable(const Renewal &renewal, const NumberFormat *format);

} // namespace engine
