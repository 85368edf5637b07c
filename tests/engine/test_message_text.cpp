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

namespace {

// Text from a file reaches a terminal or a message box with its controls shown, never acted on or cutting it short.
TEST(MessageTextTest, ControlCharactersAreShown)
{
    const std::pair<std::string, std::string> cases[] = {
        {"12.5", "12.5"},
        {"\x1b]0;pwned\x07\x1b[2J", "\\x1B]0;pwned\\x07\\x1B[2J"},
        {std::string("1\0002", 3), "1\\x002"},
        {"tab\there\r\n", "tab\\x09here\\x0D\\x0A"},
        {"\x7f", "\\x7F"},
        {"\xc2\x9b"
         "31m",
         "\\x9B31m"}, // U+009B, the one-character CSI
        {"caf\xc3\xa9 \xc2\xa0\xe2\x80\xa6", "caf\xc3\xa9 \xc2\xa0\xe2\x80\xa6"}, // printable characters stay
        {"back\\slash", "back\\slash"},
    };
    for (const auto &[text, shown] : cases)
        EXPECT_EQ(engine::withControlsShown(text), shown) << text;
    // A quoted value is cut first, then shown: the 40 characters counted are the file's.
    EXPECT_EQ(engine::quotedForMessage(std::string(39, 'a') + "\x1b" + "bc"), std::string(39, 'a') + "\\x1B\u2026");
}

} // namespace
