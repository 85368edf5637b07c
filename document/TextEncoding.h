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

// A text of a file as UTF-8: kept as it is when it is valid UTF-8, else read as Windows-1252 (older files). Each text
// is decided on its own, so that one older text does not change the others.
std::string decodedText(std::string_view bytes);
// The characters that decodedText() makes of the bytes.
std::size_t decodedLength(std::string_view bytes);
// The bytes after the UTF-8 byte-order mark some editors put first.
std::string_view withoutByteOrderMark(std::string_view bytes);

} // namespace document
