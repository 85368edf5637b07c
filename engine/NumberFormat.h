#pragma once

#include "Dates.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// The date patterns a user can choose from, in the order the options list shows them.
inline constexpr std::array<std::string_view, 19> kDatePatterns = {
    "M-d-yyyy",    "M/d/yyyy",    "MM-dd-yyyy", "MM/dd/yyyy", "MMM-d-yyyy", "MMM/d/yyyy", "MMM-dd-yyyy",
    "MMM/dd/yyyy", "d-M-yyyy",    "d/M/yyyy",   "dd-MM-yyyy", "dd/MM/yyyy", "d-MMM-yyyy", "d/MMM/yyyy",
    "dd-MMM-yyyy", "dd/MMM/yyyy", "yyyy-M-dd",  "yyyy-MM-dd", "yyyy-MMM-dd"};

inline constexpr std::string_view kDefaultDatePattern = "M/d/yyyy";

// How the digits of a number's whole part may be grouped: in threes from the decimal separator, as the program and the
// locale write them, or also in twos above the first three (1,00,000), as lakhs and crores are written.
enum class DigitGrouping { Thousands, ThousandsOrLakhs };

// A number read from a text, with how many decimals the text gives it.
struct ReadNumber
{
    double value = 0;
    int decimals = 0; // digits after the decimal separator
    bool decimalSeparator = false; // whether the text has one, even with no digit after it
};

// Formats and parses the numbers and dates the program shows, with one set of locale conventions.
// The application fills the conventions from the platform's locale; the default is English (United States).
// Every text this class writes, it reads back to the same value.
class NumberFormat
{
public:
    NumberFormat();

    // Locale conventions.
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
    std::string currencyPrefix = "$"; // text before a positive amount
    std::string currencySuffix;
    std::string negativePrefix = "-$"; // text around a negative amount
    std::string negativeSuffix;
    std::array<std::string, 12> monthAbbreviations;

    // The program's current date format, one of kDatePatterns in practice.
    void setDatePattern(std::string_view pattern);
    const std::string &datePattern() const { return m_datePattern; }

    // Locale currency: symbol, grouping, two decimals (or `decimals`), the locale's negative form. Empty for a
    // non-finite value.
    std::string currency(double value, int decimals = 2) const;
    // value × 100 with the given decimals and a percent sign; without a leading zero the integer
    // part of a value below one percent is dropped ("#.0000%" shows 0.005 as .5000%).
    std::string percent(double value, int decimals, bool leadingZero) const;
    // The same for a number already counted in percent (6.5 for 6.5 %).
    std::string percentage(double percent, int decimals, bool leadingZero) const;
    std::string ratePercent(double value) const { return percent(value, 4, false); } // "#.0000%"
    std::string percentPaid(double value) const { return percent(value, 2, true); } // "Percent"
    // A number with the locale's separators and a fixed number of decimals, no grouping.
    std::string fixed(double value, int decimals) const;

    std::string formatDate(Date date) const;
    std::string formatDate(Date date, std::string_view pattern) const;
    std::optional<Date> parseDate(std::string_view text) const;
    std::optional<Date> parseDate(std::string_view text, std::string_view pattern) const;
    // A date reduced to what the current date format shows (formatted and read back).
    Date normalizeDate(Date date) const;

    // Reads a number the way a user may type or the program shows it: currency symbol, grouping,
    // a leading or trailing minus sign or parentheses, a trailing percent sign (kept as written, not divided).
    // Only as this locale writes numbers: its decimal separator, once, and its group separator only between groups of
    // the whole part (a plain space stands for a no-break one). Nothing for anything else, so that a text written with
    // other conventions is never read as another number.
    std::optional<double> parseNumber(std::string_view text, DigitGrouping grouping = DigitGrouping::Thousands) const;
    // The same, with the decimals the text gives.
    std::optional<ReadNumber> readNumber(std::string_view text,
                                         DigitGrouping grouping = DigitGrouping::Thousands) const;

    static NumberFormat englishUS() { return {}; }

private:
    struct DateToken
    {
        enum Kind { Literal, Month1, Month2, MonthName, Day1, Day2, Year4 } kind;
        std::string literal;
    };
    static std::vector<DateToken> tokenize(std::string_view pattern);
    // Takes the group separators out of a number's text; false when they stand where this locale puts none.
    bool ungroup(std::string &text, DigitGrouping grouping) const;
    std::string formatDate(Date date, const std::vector<DateToken> &tokens) const;
    std::optional<Date> parseDate(std::string_view text, const std::vector<DateToken> &tokens) const;

    std::string m_datePattern;
    std::vector<DateToken> m_dateTokens;
};

// The machine-readable conventions: English (United States) with dates as yyyy-mm-dd; fixed() gives plain decimals.
const NumberFormat &plainFormat();

// The number a text with `decimals` decimals shows for `value`, rounded exactly as the formats above round it: the
// double nearest to the decimal shown (never -0; 0 for a value that is not finite).
double roundAsShown(double value, int decimals);
// The shortest decimal text with at most `significantDigits` significant digits, "." as separator,
// no grouping, no trailing zeros; very large or small magnitudes use an exponent ("1E+15", "1E-05").
std::string plainNumber(double value, int significantDigits = 15);
// Reads a plain number ("." separator, optional sign, leading "." allowed, optional exponent,
// surrounding blanks). Nothing for anything else.
std::optional<double> parsePlainNumber(std::string_view text);
// 0 for an empty or non-numeric text, else the number.
double numberOrZero(std::string_view text);
// A pasted or edited number reduced to a plain number: leading "%" and "/" and trailing "%", "/" and "-" dropped,
// the rest read as the user's numbers are read. Empty when nothing numeric is left.
std::string stripNumberText(std::string_view text, const NumberFormat &format);
// A number as the user types it: the shortest decimal text (as plainNumber) with the locale's decimal separator and
// no grouping, so that `format.parseNumber` reads it back to the same value.
std::string editableNumber(double value, const NumberFormat &format, int significantDigits = 15);

} // namespace engine
