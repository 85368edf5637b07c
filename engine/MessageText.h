#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace engine {

// The longest piece of user data a message quotes; a file may hold a value of megabytes.
inline constexpr std::size_t kMaxQuotedCharacters = 40;

// `text` with its control characters (C0, DEL and the C1 range) shown as \xNN, so that text read from a file can
// neither drive a terminal nor cut a message short.
std::string withControlsShown(std::string_view text);

// `text` as a message quotes it: whole when short, else its first characters and "…", its control characters shown.
// Cuts between UTF-8 characters, never inside one.
std::string quotedForMessage(std::string_view text, std::size_t maxCharacters = kMaxQuotedCharacters);
// The first `characters` characters of a UTF-8 text, all of it when it is shorter.
std::string_view firstCharacters(std::string_view text, std::size_t characters);

// A text with its placeholders %1 .. %9 replaced by the values given, in the order numbered: a translated text may
// place them in another order. A placeholder without a value stays as it is.
std::string withValues(std::string_view text, std::initializer_list<std::string_view> values);

} // namespace engine
