#pragma once

#include "Dates.h"
#include "Limits.h"

#include <string>
#include <vector>

namespace engine {

// What a closed mortgage lets its borrower prepay each year without a charge, and what paying more or breaking the
// mortgage costs. A document without them has no privileges to check and no penalty to estimate.
enum class MortgageKind { ClosedFixed = 0, ClosedVariable, Open };
enum class PenaltyMethod {
    GreaterOfThreeMonthsAndIrd = 0, // three months' interest or the interest-rate differential, whichever is more
    ThreeMonthsInterest,
    PercentByLoanYear, // a percentage of the amount charged, by loan year
    None,
};
// The comparison rate of the interest-rate differential: as the user gives it (already discounted), or today's posted
// rate less the discount the borrower had off the posted rate when the mortgage was signed.
enum class IrdComparison { Discounted = 0, Posted };
enum class PrivilegeYearKind { Calendar = 0, LoanYear };
enum class IncreaseBase { Original = 0, Current };
enum class ChargeOn { Excess = 0, WholePrepayment };

struct PrepaymentTerms
{
    MortgageKind kind = MortgageKind::ClosedFixed;
    // Lump sums: per privilege year, up to this percentage of the original loan amount; none below the minimum.
    double lumpSumPercent = 15;
    double minimumLumpSum = 100;
    // Payment increases: up to this percentage of the original or of the current payment; 0: the terms give none,
    // and payment changes are not checked.
    double paymentIncreasePercent = 0;
    IncreaseBase increaseOf = IncreaseBase::Original;
    // One cap for lump sums and payment increases together: the money paid above the base payment in a privilege
    // year counts against the lump-sum limit.
    bool combinedCap = false;
    PrivilegeYearKind privilegeYear = PrivilegeYearKind::Calendar;
    Date maturity = kNoDate; // the term's end; the zero date: the schedule's last payment date
    PenaltyMethod method = PenaltyMethod::GreaterOfThreeMonthsAndIrd;
    IrdComparison comparison = IrdComparison::Discounted;
    double originalPostedRate = 0; // a fraction, for the posted comparison
    std::vector<double> percentByLoanYear = {2, 2, 1}; // in percent, loan years 1, 2, ...; none after the last
    ChargeOn chargeOn = ChargeOn::Excess;
    double flatFee = 0;

    friend bool operator==(const PrepaymentTerms &, const PrepaymentTerms &) = default;
};

// The penalty method a mortgage kind has unless the user chooses another.
PenaltyMethod defaultPenaltyMethod(MortgageKind kind);
// New terms for a mortgage kind, with the defaults above and the kind's own penalty method.
PrepaymentTerms defaultPrepaymentTerms(MortgageKind kind = MortgageKind::ClosedFixed);

// The most loan years a percentage penalty lists.
inline constexpr int kMostPenaltyYears = 40;
// The largest percentage of a privilege or of a penalty year and the largest posted rate (a fraction) terms may
// hold; their amounts (minimum lump sum, fee) go up to kMaxAmount.
inline constexpr double kMaxTermsPercent = 100;
inline constexpr double kMaxPostedRate = 10;

// What is wrong with terms as given, as the message to show; empty when nothing is.
std::string prepaymentTermsProblem(const PrepaymentTerms &terms);

} // namespace engine
