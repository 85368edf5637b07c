#include "NumberFormat.h"

#include "TextScan.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace engine {

using text::appendNumber;
using text::lower;
using text::trimBlanks;

namespace {

constexpr std::array<std::string_view, 12> kEnglishMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// |value| rounded half away from zero to `decimals` places, working from its 15 significant digits
// (so 2.675, held as 2.67499999..., shows as 2.68, as a person reading the number expects).
struct FixedDigits
{
    bool negative = false;
    std::string integer; // at least "0"
    std::string fraction; // exactly `decimals` digits
};

FixedDigits toFixed(double value, int decimals)
{
    FixedDigits out;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    // buf: d.dddddddddddddde[+-]xx
    std::string digits;
    digits.reserve(15);
    const char *p = buf;
    for (; p < res.ptr && *p != 'e'; ++p) {
        if (*p != '.')
            digits.push_back(*p);
    }
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), res.ptr, exponent);
    const long keep = long(exponent) + 1 + decimals; // digits kept left of the rounding position

    std::string n; // value × 10^decimals as a whole number
    if (keep > 0) {
        n = digits.substr(0, size_t(std::min<long>(keep, 15)));
        if (keep > 15)
            n.append(size_t(keep - 15), '0');
    }
    if (keep >= 0 && keep < 15 && digits[size_t(keep)] >= '5') {
        int i = int(n.size()) - 1;
        while (i >= 0 && n[size_t(i)] == '9') {
            n[size_t(i)] = '0';
            --i;
        }
        if (i < 0)
            n.insert(n.begin(), '1');
        else
            ++n[size_t(i)];
    }
    if (n.size() < size_t(decimals) + 1)
        n.insert(0, size_t(decimals) + 1 - n.size(), '0');
    out.integer = n.substr(0, n.size() - size_t(decimals));
    out.fraction = n.substr(n.size() - size_t(decimals));
    const bool zero = out.integer.find_first_not_of('0') == std::string::npos
        && out.fraction.find_first_not_of('0') == std::string::npos;
    out.negative = value < 0 && !zero; // never show "-0.00"
    return out;
}

constexpr double kPowersOfTen[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};

// |value| × 10^decimals rounded half away from zero, when the value is far enough from a half that the digits beyond
// the fifteenth cannot change the result; false when only the digit-by-digit rounding of toFixed() can tell.
bool fastScaled(double value, int decimals, unsigned long long &scaled)
{
    if (decimals < 0 || decimals > 10)
        return false;
    const double x = std::fabs(value) * kPowersOfTen[decimals];
    if (!(x < 1e12))
        return false;
    const double whole = std::floor(x);
    const double fraction = x - whole;
    if (std::fabs(fraction - 0.5) < 1e-3)
        return false;
    scaled = static_cast<unsigned long long>(whole) + (fraction > 0.5 ? 1 : 0);
    return true;
}

// A rounded magnitude laid out with its separators. Most values take the fast path (fastScaled), which writes the
// text into a local buffer without allocating.
class FixedText
{
public:
    FixedText(double value, int decimals, std::string_view decimalSep, std::string_view group, bool leadingZero)
    {
        if (!fast(value, decimals, decimalSep, group, leadingZero))
            slow(value, decimals, decimalSep, group, leadingZero);
    }
    bool negative() const { return m_negative; }
    std::string_view text() const
    {
        return m_slow.empty() ? std::string_view(m_begin, size_t(m_end - m_begin)) : m_slow;
    }

private:
    void putBack(std::string_view s)
    {
        for (auto it = s.rbegin(); it != s.rend(); ++it)
            *--m_begin = *it;
    }

    bool fast(double value, int decimals, std::string_view decimalSep, std::string_view group, bool leadingZero)
    {
        unsigned long long scaled = 0;
        if (decimalSep.size() > 4 || group.size() > 4 || !fastScaled(value, decimals, scaled))
            return false;
        m_negative = value < 0 && scaled != 0;
        m_end = m_begin = m_buf + sizeof m_buf;
        for (int i = 0; i < decimals; ++i) {
            *--m_begin = char('0' + scaled % 10);
            scaled /= 10;
        }
        if (decimals > 0)
            putBack(decimalSep);
        if (scaled == 0 && !leadingZero)
            return true;
        int count = 0;
        do {
            if (count > 0 && count % 3 == 0)
                putBack(group);
            *--m_begin = char('0' + scaled % 10);
            scaled /= 10;
            ++count;
        } while (scaled != 0);
        return true;
    }

    void slow(double value, int decimals, std::string_view decimalSep, std::string_view group, bool leadingZero)
    {
        const FixedDigits f = toFixed(value, decimals);
        m_negative = f.negative;
        if (leadingZero || f.integer != "0") {
            const size_t lead = f.integer.size() % 3 == 0 ? 3 : f.integer.size() % 3;
            m_slow.append(f.integer, 0, lead);
            for (size_t i = lead; i < f.integer.size(); i += 3) {
                m_slow += group;
                m_slow.append(f.integer, i, 3);
            }
        }
        if (decimals > 0) {
            m_slow += decimalSep;
            m_slow += f.fraction;
        }
        if (m_slow.empty())
            m_slow = "0";
    }

    char m_buf[64];
    char *m_begin = m_buf;
    char *m_end = m_buf;
    std::string m_slow;
    bool m_negative = false;
};

bool startsWith(std::string_view s, std::string_view prefix)
{
    return !prefix.empty() && s.substr(0, prefix.size()) == prefix;
}

bool endsWith(std::string_view s, std::string_view suffix)
{
    return !suffix.empty() && s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

void eraseAll(std::string &s, std::string_view what)
{
    if (what.empty())
        return;
    for (size_t pos = s.find(what); pos != std::string::npos; pos = s.find(what, pos))
        s.erase(pos, what.size());
}

} // namespace

NumberFormat::NumberFormat()
{
    for (size_t i = 0; i < 12; ++i)
        monthAbbreviations[i] = std::string(kEnglishMonths[i]);
    setDatePattern(kDefaultDatePattern);
}

void NumberFormat::setDatePattern(std::string_view pattern)
{
    m_datePattern = std::string(pattern);
    m_dateTokens = tokenize(pattern);
}

std::string NumberFormat::currency(double value, int decimals) const
{
    if (!std::isfinite(value))
        return {};
    const FixedText f(value, decimals, decimalSeparator, groupSeparator, true);
    const std::string &prefix = f.negative() ? negativePrefix : currencyPrefix;
    const std::string &suffix = f.negative() ? negativeSuffix : currencySuffix;
    std::string out;
    out.reserve(prefix.size() + f.text().size() + suffix.size());
    out += prefix;
    out += f.text();
    out += suffix;
    return out;
}

std::string NumberFormat::percent(double value, int decimals, bool leadingZero) const
{
    return percentage(value * 100.0, decimals, leadingZero);
}

std::string NumberFormat::percentage(double percent, int decimals, bool leadingZero) const
{
    if (!std::isfinite(percent))
        return {};
    const FixedText f(percent, decimals, decimalSeparator, {}, leadingZero);
    std::string out;
    out.reserve(f.text().size() + 2);
    if (f.negative())
        out += '-';
    out += f.text();
    out += '%';
    return out;
}

std::string NumberFormat::fixed(double value, int decimals) const
{
    if (!std::isfinite(value))
        return {};
    const FixedText f(value, decimals, decimalSeparator, {}, true);
    std::string out = f.negative() ? "-" : "";
    out += f.text();
    return out;
}

bool NumberFormat::ungroup(std::string &s, DigitGrouping grouping) const
{
    if (groupSeparator.empty())
        return true;
    // Where the locale groups with a blank, a user types whichever blank the keyboard gives.
    const bool blankGroups = groupSeparator == " " || groupSeparator == "\xC2\xA0" || groupSeparator == "\xE2\x80\xAF";
    auto groupAt = [&](size_t i) -> size_t {
        if (blankGroups) {
            for (std::string_view blank : {" ", "\xC2\xA0", "\xE2\x80\xAF"}) {
                if (s.compare(i, blank.size(), blank) == 0)
                    return blank.size();
            }
            return 0;
        }
        return s.compare(i, groupSeparator.size(), groupSeparator) == 0 ? groupSeparator.size() : 0;
    };
    const size_t point = s.find(decimalSeparator);
    const size_t whole = point == std::string::npos ? s.size() : point;
    for (size_t i = whole; i < s.size(); ++i) {
        if (groupAt(i) != 0)
            return false; // no grouping among the decimals
    }
    // The whole part: a first group of one to three digits, then groups of three (of two, then three, for lakhs).
    std::string digits;
    int run = 0;
    int groups = 0;
    for (size_t i = 0; i < whole;) {
        if (const size_t n = groupAt(i)) {
            const bool fits = groups == 0 ? run >= 1 && run <= 3
                                          : run == 3 || (grouping == DigitGrouping::ThousandsOrLakhs && run == 2);
            if (!fits)
                return false;
            ++groups;
            run = 0;
            i += n;
            continue;
        }
        if (s[i] < '0' || s[i] > '9') {
            if (groups > 0)
                return false; // grouped digits are digits only
        } else {
            ++run;
        }
        digits.push_back(s[i++]);
    }
    if (groups > 0 && run != 3)
        return false;
    s = digits + s.substr(whole);
    return true;
}

std::optional<double> NumberFormat::parseNumber(std::string_view text, DigitGrouping grouping) const
{
    const auto read = readNumber(text, grouping);
    return read ? std::optional<double>(read->value) : std::nullopt;
}

std::optional<ReadNumber> NumberFormat::readNumber(std::string_view text, DigitGrouping grouping) const
{
    std::string_view t = trimBlanks(text);
    bool negative = false;
    if (startsWith(t, negativePrefix) && (negativeSuffix.empty() || endsWith(t, negativeSuffix))) {
        negative = true;
        t.remove_prefix(negativePrefix.size());
        if (!negativeSuffix.empty())
            t.remove_suffix(negativeSuffix.size());
    } else if (t.size() >= 2 && t.front() == '(' && t.back() == ')') {
        negative = true;
        t = t.substr(1, t.size() - 2);
    }
    t = trimBlanks(t);
    if (!t.empty() && t.back() == '%')
        t.remove_suffix(1);
    std::string s(trimBlanks(t));
    // The currency symbol may stand on either side of a sign; drop it wherever it is.
    for (const std::string *affix : {&currencyPrefix, &currencySuffix}) {
        const std::string symbol(trimBlanks(*affix));
        if (!symbol.empty() && symbol != "-")
            eraseAll(s, symbol);
    }
    s = std::string(trimBlanks(s));
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = negative != (s.front() == '-');
        s.erase(0, 1);
    } else if (!s.empty() && s.back() == '-') {
        negative = !negative;
        s.pop_back();
    }
    s = std::string(trimBlanks(s));
    if (groupSeparator != decimalSeparator && !ungroup(s, grouping))
        return std::nullopt;
    if (decimalSeparator != ".") {
        if (s.find('.') != std::string::npos)
            return std::nullopt;
        std::string plain;
        for (size_t pos = 0; pos < s.size();) {
            if (s.compare(pos, decimalSeparator.size(), decimalSeparator) == 0) {
                plain.push_back('.');
                pos += decimalSeparator.size();
            } else {
                plain.push_back(s[pos++]);
            }
        }
        s = std::move(plain);
    }
    if (s.empty() || s.front() == '-' || s.front() == '+')
        return std::nullopt;
    const auto value = parsePlainNumber(s);
    if (!value)
        return std::nullopt;
    ReadNumber read;
    read.value = negative ? -*value : *value;
    const size_t point = s.find('.');
    read.decimalSeparator = point != std::string::npos;
    if (read.decimalSeparator) {
        const size_t end = s.find_first_not_of("0123456789", point + 1);
        read.decimals = int((end == std::string::npos ? s.size() : end) - point - 1);
    }
    return read;
}

double roundAsShown(double value, int decimals)
{
    if (!std::isfinite(value))
        return 0;
    unsigned long long scaled = 0;
    double magnitude = 0;
    if (fastScaled(value, decimals, scaled)) {
        // An integer below 2^53 over an exact power of ten: the division gives the double nearest to the decimal.
        magnitude = double(scaled) / kPowersOfTen[decimals];
    } else {
        const FixedDigits f = toFixed(value, decimals);
        magnitude = parsePlainNumber(f.integer + "." + f.fraction).value_or(0.0);
    }
    if (magnitude == 0)
        return 0; // never -0
    return value < 0 ? -magnitude : magnitude;
}

std::string plainNumber(double value, int significantDigits)
{
    if (!std::isfinite(value))
        return {};
    if (value == 0)
        return "0";
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, significantDigits - 1);
    std::string sci(buf, res.ptr);
    const size_t e = sci.find('e');
    std::string mantissa = sci.substr(0, e);
    const int exponent = std::atoi(sci.c_str() + e + 1);
    const bool negative = mantissa.front() == '-';
    if (negative)
        mantissa.erase(0, 1);
    std::string digits;
    for (char c : mantissa) {
        if (c != '.')
            digits.push_back(c);
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= significantDigits || exponent < -4) {
        out += digits.substr(0, 1);
        if (digits.size() > 1) {
            out += '.';
            out += digits.substr(1);
        }
        out += exponent < 0 ? "E-" : "E+";
        appendNumber(out, std::abs(exponent), 2);
    } else if (exponent < 0) {
        out += "0.";
        out.append(size_t(-exponent - 1), '0');
        out += digits;
    } else if (size_t(exponent) + 1 >= digits.size()) {
        out += digits;
        out.append(size_t(exponent) + 1 - digits.size(), '0');
    } else {
        out += digits.substr(0, size_t(exponent) + 1);
        out += '.';
        out += digits.substr(size_t(exponent) + 1);
    }
    return out;
}

std::optional<double> parsePlainNumber(std::string_view text)
{
    text = trimBlanks(text);
    if (text.empty())
        return std::nullopt;
    // Accept exactly: [sign] digits [. digits] [(e|E) [sign] digits], with at least one mantissa digit.
    size_t i = 0;
    if (text[i] == '-' || text[i] == '+')
        ++i;
    size_t mantissaDigits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        size_t expDigits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    // from_chars, unlike strtod, ignores the C locale the GUI toolkit may have switched to.
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double numberOrZero(std::string_view text)
{
    return parsePlainNumber(text).value_or(0.0);
}

const NumberFormat &plainFormat()
{
    static const NumberFormat plain = [] {
        NumberFormat format;
        format.setDatePattern("yyyy-MM-dd");
        return format;
    }();
    return plain;
}

std::string stripNumberText(std::string_view text, const NumberFormat &format)
{
    while (!text.empty() && (text.front() == '%' || text.front() == '/'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == '%' || text.back() == '/' || text.back() == '-'))
        text.remove_suffix(1);
    if (text.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos)
        return {};
    const auto value = format.parseNumber(text);
    return value ? plainNumber(*value) : std::string();
}

std::string editableNumber(double value, const NumberFormat &format, int significantDigits)
{
    std::string text = plainNumber(value, significantDigits);
    const auto dot = text.find('.');
    if (dot != std::string::npos)
        text.replace(dot, 1, format.decimalSeparator);
    return text;
}

} // namespace engine
