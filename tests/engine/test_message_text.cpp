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

namespace {

// Values go where their numbers stand, whatever the order; a value holding "%2" is not replaced again.
TEST(MessageTextTest, PlaceholdersTakeTheirValues)
{
    struct Case
    {
        const char *text;
        std::initializer_list<std::string_view> values;
        const char *filled;
    };
    const Case cases[] = {
        {"Keep the end date %1 (the payment becomes %2)",
         {"3/1/2049", "$2,320.17"},
         "Keep the end date 3/1/2049 (the payment becomes $2,320.17)"},
        {"%2 before %1", {"one", "two"}, "two before one"},
        {"%1 and %1", {"x"}, "x and x"},
        {"%1%", {"%2"}, "%2%"},
        {"%3 stays, as does 100%", {"a"}, "%3 stays, as does 100%"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(engine::withValues(c.text, c.values), c.filled);
}

} // namespace
