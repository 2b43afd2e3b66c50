#include "storage/cp1250.h"

#include "storage/storage_error.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>
#include <vector>

namespace storage::cp1250 {
namespace {

// The upper half of Windows-1250; the bytes the code page leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98)
// stand for the C1 control of that value, so every byte survives a round trip. A fixed table rather than a
// converter opened at start: the game reads text before its window shows.
constexpr char16_t UpperHalf[128]
    = {0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A,
       0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
       0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
       0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
       0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
       0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
       0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
       0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
       0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
       0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9};

struct Tables
{
    std::array<char32_t, 256> toUnicode {};
    std::vector<std::pair<char32_t, unsigned char>> fromUnicode; // sorted by code point, non-ASCII only
};

const Tables& tables()
{
    static const Tables built = [] {
        Tables t;
        for (int b = 0; b < 256; ++b) {
            const char32_t cp = b < 0x80 ? char32_t(b) : char32_t(UpperHalf[b - 0x80]);
            t.toUnicode[size_t(b)] = cp;
            if (b >= 0x80)
                t.fromUnicode.emplace_back(cp, static_cast<unsigned char>(b));
        }
        std::sort(t.fromUnicode.begin(), t.fromUnicode.end());
        return t;
    }();
    return built;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

[[noreturn]] void throwNoByte(char32_t cp)
{
    std::string shown;
    appendUtf8(shown, cp);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", unsigned(cp));
    throw StorageError("A(z) \xE2\x80\x9E" + shown + "\xE2\x80\x9D karakter (" + code
                       + ") nem írható le Windows-1250 kódolással");
}

[[noreturn]] void throwBadUnicode() { throw StorageError("Hibás Unicode szöveg: érvénytelen bájtsor"); }

char byteOrThrow(char32_t cp)
{
    if (auto b = byteFor(cp))
        return *b;
    throwNoByte(cp);
}

} // namespace

std::optional<char> byteFor(char32_t codePoint)
{
    if (codePoint < 0x80)
        return char(codePoint);
    const auto& map = tables().fromUnicode;
    auto it = std::lower_bound(map.begin(), map.end(), std::pair<char32_t, unsigned char>(codePoint, 0));
    if (it == map.end() || it->first != codePoint)
        return std::nullopt;
    return char(it->second);
}

char32_t codePointOf(char cp1250Byte) { return tables().toUnicode[static_cast<unsigned char>(cp1250Byte)]; }

std::string toUtf8(std::string_view cp1250Text)
{
    const auto& map = tables().toUnicode;
    std::string out;
    out.reserve(cp1250Text.size() + cp1250Text.size() / 2);
    for (char c : cp1250Text)
        appendUtf8(out, map[static_cast<unsigned char>(c)]);
    return out;
}

std::u16string toUtf16(std::string_view cp1250Text)
{
    const auto& map = tables().toUnicode;
    std::u16string out;
    out.reserve(cp1250Text.size());
    for (char c : cp1250Text)
        out += char16_t(map[static_cast<unsigned char>(c)]); // the code page lies wholly in the BMP
    return out;
}

std::string fromUtf8(std::string_view utf8Text)
{
    std::string out;
    out.reserve(utf8Text.size());
    const auto* p = reinterpret_cast<const unsigned char*>(utf8Text.data());
    const auto* end = p + utf8Text.size();
    while (p < end) {
        const unsigned char lead = *p++;
        if (lead < 0x80) {
            out += char(lead);
            continue;
        }
        int extra;
        char32_t cp;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
        } else {
            throwBadUnicode();
        }
        if (end - p < extra)
            throwBadUnicode();
        for (int i = 0; i < extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                throwBadUnicode();
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        p += extra;
        static constexpr char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            throwBadUnicode();
        out += byteOrThrow(cp);
    }
    return out;
}

std::string fromUtf16(std::u16string_view utf16Text)
{
    std::string out;
    out.reserve(utf16Text.size());
    for (size_t i = 0; i < utf16Text.size(); ++i) {
        char32_t cp = utf16Text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16Text.size() && utf16Text[i + 1] >= 0xDC00
            && utf16Text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16Text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            throwBadUnicode();
        }
        out += byteOrThrow(cp);
    }
    return out;
}

} // namespace storage::cp1250
