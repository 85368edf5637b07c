#pragma once

#include <array>
#include <string>
#include <vector>

namespace engine {

// Loan type codes.
inline constexpr int kPersonalLoan = 0;
inline constexpr int kMortgageLoan = 1;

// Payment frequency codes.
inline constexpr int kMonthly = 0;
inline constexpr int kSemiMonthly = 1;
inline constexpr int kBiWeeklyAccelerated = 2;
inline constexpr int kBiWeekly = 3;
inline constexpr int kWeeklyAccelerated = 4;
inline constexpr int kWeekly = 5;
inline constexpr int kAnnually = 6;

// Amortization units.
inline constexpr int kYears = 0;
inline constexpr int kMonths = 1;

std::string loanTypeLabel(int loanType);
// The summary's compounding label; a personal loan always shows "Monthly".
std::string compoundingLabel(int loanType, int compounding);
// The wizard's long compounding texts, by code.
std::string compoundingListText(int compounding);
// A frequency's name, as the summary and the frequency lists show it.
std::string frequencyLabel(int frequency);
std::string periodsPerYearLabel(int frequency, int index);
// Payment periods per year; 0 for a weekly or bi-weekly index outside 0..2 or an unknown frequency.
double periodsPerYearValue(int frequency, int index);
std::string amortUnitLabel(int unit);

// The coded lists of the wizard (and of the scenario calculator): what each list shows, and the code at each list
// position. A mortgage's compoundings run from the least to the most frequent; a personal loan offers only
// "Monthly", which is code 0.
inline constexpr std::array<int, 4> kMortgageCompoundingList = {2, 0, 3, 1};
inline constexpr std::array<int, 7> kFrequencyList = {kAnnually, kMonthly,           kSemiMonthly, kBiWeeklyAccelerated,
                                                      kBiWeekly, kWeeklyAccelerated, kWeekly};
std::vector<std::string> compoundingListTexts(int loanType);
std::vector<std::string> frequencyListTexts();
// The year lengths a weekly or bi-weekly loan chooses from, by periods-per-year index.
std::vector<std::string> yearLengthListTexts();
std::vector<std::string> amortUnitListTexts();
// The code at a list position, or -1 for a position the list does not have; and the position of a code, or -1
// when the list does not hold it.
int compoundingCodeAt(int loanType, int position);
int compoundingPosition(int loanType, int code);
int frequencyCodeAt(int position);
int frequencyPosition(int code);
// Only the weekly and bi-weekly frequencies have a choice of year length.
bool hasYearLengthChoice(int frequency);
// The accelerated frequencies pay a share of the monthly payment, which shortens the amortization.
bool isAccelerated(int frequency);

} // namespace engine
