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

} // namespace engine
