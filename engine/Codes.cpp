#include "Codes.h"

#include <algorithm>

namespace engine {

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
        return "Quarterly";
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
        return "Monthly (United States)";
    case 2:
        return "Annually";
    case 3:
        return "Quarterly";
    default:
        return {};
    }
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

std::vector<std::string> compoundingListTexts(int loanType)
{
    if (loanType == kPersonalLoan)
        return {"Monthly"};
    std::vector<std::string> texts;
    for (int code : kMortgageCompoundingList)
        texts.push_back(compoundingListText(code));
    return texts;
}

std::vector<std::string> frequencyListTexts()
{
    std::vector<std::string> texts;
    for (int code : kFrequencyList)
        texts.push_back(frequencyLabel(code));
    return texts;
}

std::vector<std::string> yearLengthListTexts()
{
    return {"52.18 Weeks", "52.14 Weeks", "52 Weeks"};
}

std::vector<std::string> amortUnitListTexts()
{
    return {amortUnitLabel(kYears), amortUnitLabel(kMonths)};
}

namespace {

template<size_t N>
int codeAt(const std::array<int, N> &list, int position)
{
    return position >= 0 && position < int(N) ? list[size_t(position)] : -1;
}

template<size_t N>
int positionOf(const std::array<int, N> &list, int code)
{
    const auto it = std::find(list.begin(), list.end(), code);
    return it == list.end() ? -1 : int(it - list.begin());
}

constexpr std::array<int, 1> kPersonalCompoundingList = {0};

} // namespace

int compoundingCodeAt(int loanType, int position)
{
    return loanType == kPersonalLoan ? codeAt(kPersonalCompoundingList, position)
                                     : codeAt(kMortgageCompoundingList, position);
}

int compoundingPosition(int loanType, int code)
{
    return loanType == kPersonalLoan ? positionOf(kPersonalCompoundingList, code)
                                     : positionOf(kMortgageCompoundingList, code);
}

int frequencyCodeAt(int position)
{
    return codeAt(kFrequencyList, position);
}

int frequencyPosition(int code)
{
    return positionOf(kFrequencyList, code);
}

bool hasYearLengthChoice(int frequency)
{
    return frequency >= kBiWeeklyAccelerated && frequency <= kWeekly;
}

bool isAccelerated(int frequency)
{
    return frequency == kBiWeeklyAccelerated || frequency == kWeeklyAccelerated;
}

} // namespace engine
