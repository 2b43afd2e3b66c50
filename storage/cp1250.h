#pragma once
// The one codec between the game's Windows-1250 text and Unicode (display, typed keys, UTF-8 files).

#include <optional>
#include <string>
#include <string_view>

namespace storage::cp1250 {

// Every Windows-1250 byte has a Unicode character (undefined bytes map to U+FFFD-free C1 controls).
std::string toUtf8(std::string_view cp1250Text);
std::u16string toUtf16(std::string_view cp1250Text);

// Throws StorageError naming the first character that has no Windows-1250 byte.
std::string fromUtf8(std::string_view utf8Text);
std::string fromUtf16(std::u16string_view utf16Text);

// The byte for one Unicode code point, or nothing: typed keys without a byte are refused, never turned into
// '?'.
std::optional<char> byteFor(char32_t codePoint);
char32_t codePointOf(char cp1250Byte);

} // namespace storage::cp1250
