#include "storage/cp1250.h"

#include "storage/storage_error.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>
#include <vector>

namespace storage::cp1250 {
namespace {

struct Tables
{
    std::array<char32_t, 256> toUnicode {};
    std::vector<std::pair<char32_t, unsigned char>> fromUnicode; // sorted by code point, non-ASCII only
};

// Built once from ICU's converter; bytes the code page leaves undefined stand for the C1 control of that
// value, so every byte survives a round trip.
const Tables& tables()
{
    static const Tables built = [] {
        Tables t;
        UErrorCode status = U_ZERO_ERROR;
        UConverter* converter = ucnv_open("windows-1250", &status);
        for (int b = 0; b < 256; ++b) {
            char32_t cp = char32_t(b);
            if (converter && b >= 0x80) {
                const char in = char(b);
                UChar out[4];
                UErrorCode e = U_ZERO_ERROR;
                ucnv_reset(converter);
                const int32_t n = ucnv_toUChars(converter, out, 4, &in, 1, &e);
                if (U_SUCCESS(e) && n == 1 && out[0] != 0xFFFD && out[0] != 0x1A)
                    cp = out[0];
            }
            t.toUnicode[b] = cp;
            if (b >= 0x80)
                t.fromUnicode.emplace_back(cp, static_cast<unsigned char>(b));
        }
        if (converter)
            ucnv_close(converter);
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
