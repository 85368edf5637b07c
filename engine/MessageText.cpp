#include "MessageText.h"

namespace engine {

std::string quotedForMessage(std::string_view text, std::size_t maxCharacters)
{
    const std::string_view first = firstCharacters(text, maxCharacters);
    return first.size() < text.size() ? std::string(first) + "\u2026" : std::string(text);
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
