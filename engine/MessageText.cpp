#include "MessageText.h"

namespace engine {

std::string quotedForMessage(std::string_view text, std::size_t maxCharacters)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A byte that is not a UTF-8 continuation byte starts a character.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == maxCharacters)
            return std::string(text.substr(0, i)) + "\u2026";
    }
    return std::string(text);
}

} // namespace engine
