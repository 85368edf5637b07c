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

} // namespace engine
