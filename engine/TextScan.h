#pragma once

#include <charconv>
#include <string>
#include <string_view>

// Small text helpers the number and date formats share.
namespace engine::text {

// Blanks a user or a locale may put around or inside a number: space, tab, no-break spaces.
inline std::string_view trimBlanks(std::string_view s)
{
    auto blankAt = [](std::string_view t, size_t i) -> size_t {
        if (t[i] == ' ' || t[i] == '\t')
            return 1;
        if (t.substr(i, 2) == "\xC2\xA0")
            return 2;
        if (t.substr(i, 3) == "\xE2\x80\xAF")
            return 3;
        return 0;
    };
    for (;;) {
        if (s.empty())
            return s;
        if (size_t n = blankAt(s, 0)) {
            s.remove_prefix(n);
            continue;
        }
        bool trimmed = false;
        for (size_t n : {size_t(1), size_t(2), size_t(3)}) {
            if (s.size() >= n && blankAt(s, s.size() - n) == n) {
                s.remove_suffix(n);
                trimmed = true;
                break;
            }
        }
        if (!trimmed)
            return s;
    }
}

inline std::string lower(std::string_view s)
{
    std::string out(s);
    for (char &c : out) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return out;
}

inline void appendNumber(std::string &out, int value, int width)
{
    char buf[16];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    for (int n = int(res.ptr - buf); n < width; ++n)
        out.push_back('0');
    out.append(buf, res.ptr);
}

} // namespace engine::text
