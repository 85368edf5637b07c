#include "engine/MessageText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MessageTextTest, QuotesAtMostFortyCharacters)
{
    struct Case
    {
        std::string text;
        std::string quoted;
    };
    const std::string forty(40, '7');
    const Case cases[] = {
        {"", ""},
        {"12x", "12x"},
        {forty, forty},
        {forty + "8", forty + "\u2026"},
        {std::string(1 << 20, '9'), std::string(40, '9') + "\u2026"},
        // Cut between characters: 39 ASCII characters, then a two-byte one as the 40th, then more.
        {std::string(39, 'a') + "\u00e9\u00e9", std::string(39, 'a') + "\u00e9\u2026"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(engine::quotedForMessage(c.text), c.quoted) << c.text.size();
}

} // namespace
