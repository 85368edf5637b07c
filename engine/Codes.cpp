#include "Codes.h"

#include <array>

namespace engine {

namespace {

constexpr std::array<int, 4> kMortgageCompoundingCodes = {2, 0, 3, 1};

} // namespace

std::string loanTypeLabel(int loanType)
{
    switch (loanType) {
    case kPersonalLoan:
        return "Personal Loan";
    case kMortgageLoan:
        return "Mortgage Loan";
    default:
        return {};
    }
}

std::string compoundingLabel(int loanType, int compounding)
{
    if (loanType == kPersonalLoan)
        return "Monthly";
    switch (compounding) {
    case 0:
        return "Semi-Annually";
    case 1:
        return "Monthly";
    case 2:
        return "Annually";
    case 3:
        return "Quaterly";
    default:
        return {};
    }
}

std::string compoundingListText(int compounding)
{
    switch (compounding) {
    case 0:
        return "Semi-Annually (Canada)";
    case 1:
        return "Monthly (United State)";
    case 2:
        return "Annually";
    case 3:
        return "Quarterly";
    default:
        return {};
    }
}

int mortgageCompoundingCode(int listPosition)
{
    if (listPosition < 0 || listPosition >= int(kMortgageCompoundingCodes.size()))
        return -1;
    return kMortgageCompoundingCodes[size_t(listPosition)];
}

int mortgageCompoundingPosition(int compounding)
{
    for (size_t i = 0; i < kMortgageCompoundingCodes.size(); ++i) {
        if (kMortgageCompoundingCodes[i] == compounding)
            return int(i);
    }
    return -1;
}

std::string frequencyLabel(int frequency)
{
    switch (frequency) {
    case kMonthly:
        return "Monthly";
    case kSemiMonthly:
        return "Semi-Monthly";
    case kBiWeeklyAccelerated:
        return "2 Weeks (accelerated)";
    case kBiWeekly:
        return "2 Weeks";
    case kWeeklyAccelerated:
        return "Weekly (accelerated)";
    case kWeekly:
        return "Weekly";
    case kAnnually:
        return "Annually";
    default:
        return {};
    }
}

std::string frequencyListText(int frequency)
{
    switch (frequency) {
    case kBiWeeklyAccelerated:
        return "2 Weeks (accelarated)";
    case kWeeklyAccelerated:
        return "Weekly (accelarated)";
    default:
        return frequencyLabel(frequency);
    }
}

std::string periodsPerYearLabel(int frequency, int index)
{
    switch (frequency) {
    case kMonthly:
        return index == 0 ? "12" : "";
    case kSemiMonthly:
        return index == 0 ? "24" : "";
    case kAnnually:
        return index == 0 ? "1" : "";
    case kBiWeeklyAccelerated:
    case kBiWeekly:
        return index == 0 ? "26.09 Weeks (365.25/14)" : index == 1 ? "26.07 Weeks (365/14)" : index == 2 ? "26" : "";
    case kWeeklyAccelerated:
    case kWeekly:
        return index == 0 ? "52.18 Weeks (365.25/7)" : index == 1 ? "52.14 Weeks (365/7)" : index == 2 ? "52" : "";
    default:
        return {};
    }
}

double periodsPerYearValue(int frequency, int index)
{
    switch (frequency) {
    case kMonthly:
        return 12;
    case kSemiMonthly:
        return 24;
    case kAnnually:
        return 1;
    case kBiWeeklyAccelerated:
    case kBiWeekly:
        return index == 0 ? 365.25 / 14 : index == 1 ? 365.0 / 14 : index == 2 ? 26 : 0;
    case kWeeklyAccelerated:
    case kWeekly:
        return index == 0 ? 365.25 / 7 : index == 1 ? 365.0 / 7 : index == 2 ? 52 : 0;
    default:
        return 0;
    }
}

std::string amortUnitLabel(int unit)
{
    return unit == kYears ? "Years" : unit == kMonths ? "Months" : "";
}

} // namespace engine
