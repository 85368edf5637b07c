#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace document {

bool isValidUtf8(std::string_view bytes);
// Windows-1252 bytes as UTF-8 text.
std::string windows1252ToUtf8(std::string_view bytes);
// Characters (code points) of a UTF-8 text.
std::size_t utf8Length(std::string_view text);

} // namespace document
