// The date side of the number format: date patterns, and dates written and read by them.
#include "NumberFormat.h"

#include "TextScan.h"

#include <cctype>

namespace engine {

using text::appendNumber;
using text::lower;
using text::trimBlanks;

std::vector<NumberFormat::DateToken> NumberFormat::tokenize(std::string_view pattern)
{
    std::vector<DateToken> tokens;
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        if (c == 'M') {
            tokens.push_back({run == 1 ? DateToken::Month1 : run == 2 ? DateToken::Month2 : DateToken::MonthName, {}});
        } else if (c == 'd') {
            tokens.push_back({run == 1 ? DateToken::Day1 : DateToken::Day2, {}});
        } else if (c == 'y') {
            tokens.push_back({DateToken::Year4, {}});
        } else {
            if (tokens.empty() || tokens.back().kind != DateToken::Literal)
                tokens.push_back({DateToken::Literal, {}});
            tokens.back().literal.append(run, c);
        }
        i += run;
    }
    return tokens;
}

std::string NumberFormat::formatDate(Date date) const
{
    return formatDate(date, m_dateTokens);
}

std::string NumberFormat::formatDate(Date date, std::string_view pattern) const
{
    return formatDate(date, tokenize(pattern));
}

std::string NumberFormat::formatDate(Date date, const std::vector<DateToken> &tokens) const
{
    if (!isValidSerial(date))
        return {};
    const Ymd ymd = toYmd(date);
    std::string out;
    out.reserve(16);
    for (const DateToken &t : tokens) {
        switch (t.kind) {
        case DateToken::Literal:
            out += t.literal;
            break;
        case DateToken::Month1:
        case DateToken::Month2:
            appendNumber(out, ymd.month, t.kind == DateToken::Month2 ? 2 : 1);
            break;
        case DateToken::MonthName:
            out += monthAbbreviations[size_t(ymd.month - 1)];
            break;
        case DateToken::Day1:
        case DateToken::Day2:
            appendNumber(out, ymd.day, t.kind == DateToken::Day2 ? 2 : 1);
            break;
        case DateToken::Year4:
            appendNumber(out, ymd.year, 4);
            break;
        }
    }
    return out;
}

std::optional<Date> NumberFormat::parseDate(std::string_view text) const
{
    return parseDate(text, m_dateTokens);
}

std::optional<Date> NumberFormat::parseDate(std::string_view text, std::string_view pattern) const
{
    return parseDate(text, tokenize(pattern));
}

std::optional<Date> NumberFormat::parseDate(std::string_view text, const std::vector<DateToken> &tokens) const
{
    text = trimBlanks(text);
    int y = -1, m = -1, d = -1;
    size_t pos = 0;
    auto readDigits = [&](size_t maxDigits, int &value) {
        size_t n = 0;
        value = 0;
        while (pos < text.size() && n < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
            value = value * 10 + (text[pos] - '0');
            ++pos;
            ++n;
        }
        return n > 0;
    };
    for (const DateToken &t : tokens) {
        switch (t.kind) {
        case DateToken::Literal:
            // Any of the usual separators stands for any other, so "1-2-2005" reads under "M/d/yyyy".
            for (char c : t.literal) {
                if (pos >= text.size())
                    return std::nullopt;
                const bool sep = std::string_view("-/. ").find(c) != std::string_view::npos;
                const bool textSep = std::string_view("-/. ").find(text[pos]) != std::string_view::npos;
                if (text[pos] != c && !(sep && textSep))
                    return std::nullopt;
                ++pos;
            }
            break;
        case DateToken::Month1:
        case DateToken::Month2:
            if (!readDigits(2, m))
                return std::nullopt;
            break;
        case DateToken::MonthName: {
            // The longest month name the text starts with (names such as "janv." carry their own dot).
            const std::string rest = lower(text.substr(pos));
            size_t matched = 0;
            m = -1;
            for (int i = 0; i < 12; ++i) {
                const std::string name = lower(monthAbbreviations[size_t(i)]);
                if (!name.empty() && name.size() > matched && rest.compare(0, name.size(), name) == 0) {
                    matched = name.size();
                    m = i + 1;
                }
            }
            if (m < 0)
                return std::nullopt;
            pos += matched;
            break;
        }
        case DateToken::Day1:
        case DateToken::Day2:
            if (!readDigits(2, d))
                return std::nullopt;
            break;
        case DateToken::Year4:
            if (!readDigits(4, y))
                return std::nullopt;
            break;
        }
    }
    if (pos != text.size() || y < 0 || m < 0 || d < 0)
        return std::nullopt;
    return exactDate(y, m, d);
}

Date NumberFormat::normalizeDate(Date date) const
{
    return parseDate(formatDate(date)).value_or(kNoDate);
}

} // namespace engine
