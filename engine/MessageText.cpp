#include "MessageText.h"

namespace engine {

std::string withControlsShown(std::string_view text)
{
    auto shown = [](std::string &out, unsigned code) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        out += "\\x";
        out += kDigits[code >> 4];
        out += kDigits[code & 15];
    };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F) {
            shown(out, byte);
        } else if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80
                   && static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            // U+0080 to U+009F, which terminals take for controls as well (CSI is U+009B).
            shown(out, static_cast<unsigned char>(text[++i]));
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string quotedForMessage(std::string_view text, std::size_t maxCharacters)
{
    const std::string_view first = firstCharacters(text, maxCharacters);
    const std::string shown = withControlsShown(first);
    return first.size() < text.size() ? shown + "\u2026" : shown;
}

std::string_view firstCharacters(std::string_view text, std::size_t characters)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A byte that is not a UTF-8 continuation byte starts a character.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && n++ == characters)
            return text.substr(0, i);
    }
    return text;
}

std::string withValues(std::string_view text, std::initializer_list<std::string_view> values)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool placeholder = text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9';
        const std::size_t n = placeholder ? std::size_t(text[i + 1] - '1') : 0;
        if (placeholder && n < values.size()) {
            out += *(values.begin() + n);
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace engine
