#include "PrepaymentTerms.h"

namespace engine {

PenaltyMethod defaultPenaltyMethod(MortgageKind kind)
{
    switch (kind) {
    case MortgageKind::ClosedVariable:
        return PenaltyMethod::ThreeMonthsInterest;
    case MortgageKind::Open:
        return PenaltyMethod::None;
    case MortgageKind::ClosedFixed:
        break;
    }
    return PenaltyMethod::GreaterOfThreeMonthsAndIrd;
}

PrepaymentTerms defaultPrepaymentTerms(MortgageKind kind)
{
    PrepaymentTerms terms;
    terms.kind = kind;
    terms.method = defaultPenaltyMethod(kind);
    return terms;
}

std::string prepaymentTermsProblem(const PrepaymentTerms &terms)
{
    auto within = [](double value, double high) { return value >= 0 && value <= high; };
    if (!within(terms.lumpSumPercent, kMaxTermsPercent))
        return "The lump-sum privilege must be from 0 % to 100 % of the original loan amount.";
    if (!within(terms.minimumLumpSum, kMaxAmount))
        return "The minimum lump sum must be from 0.00 to 9,999,999,999.99.";
    if (!within(terms.paymentIncreasePercent, kMaxTermsPercent))
        return "The payment-increase privilege must be from 0 % to 100 %.";
    if (!within(terms.originalPostedRate, kMaxPostedRate)
        || (terms.comparison == IrdComparison::Posted && terms.originalPostedRate == 0))
        return "The posted comparison needs the posted rate when the mortgage was signed, from 0 % to 1000 %.";
    if (terms.percentByLoanYear.size() > std::size_t(kMostPenaltyYears))
        return "The penalty by loan year lists at most 40 years.";
    for (double percent : terms.percentByLoanYear) {
        if (!within(percent, kMaxTermsPercent))
            return "Each year's penalty must be from 0 % to 100 % of the amount charged.";
    }
    if (!within(terms.flatFee, kMaxAmount))
        return "The fee must be from 0.00 to 9,999,999,999.99.";
    return {};
}

} // namespace engine
