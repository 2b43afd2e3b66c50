#include "tools/visible_text.h"

#include <cstdio>

namespace tabla {

namespace {

struct Decoded
{
    char32_t codePoint;
    std::size_t length;
    bool valid;
};

// One UTF-8 character at `at`: overlong forms, surrogates and cut sequences are invalid (one byte long).
Decoded decodeAt(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return {lead, 1, true};
    std::size_t length;
    char32_t cp;
    char32_t least;
    if ((lead & 0xE0) == 0xC0)
        length = 2, cp = lead & 0x1F, least = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, cp = lead & 0x0F, least = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, cp = lead & 0x07, least = 0x10000;
    else
        return {lead, 1, false};
    if (at + length > text.size())
        return {lead, 1, false};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return {lead, 1, false};
        cp = (cp << 6) | (byte(at + i) & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {lead, 1, false};
    return {cp, length, true};
}

bool isControl(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }

// Controls, and the marks and spaces that show nothing or look like a plain space.
bool isInvisible(char32_t cp)
{
    return isControl(cp) || cp == 0xA0 || cp == 0xAD || (cp >= 0x200B && cp <= 0x200F)
        || (cp >= 0x2028 && cp <= 0x202F) || (cp >= 0x2060 && cp <= 0x2064) || cp == 0xFEFF;
}

std::string code(const char* format, unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

std::string quotedVisible(std::string_view text)
{
    std::string out = "\xE2\x80\x9E";
    for (std::size_t i = 0; i < text.size();) {
        const Decoded c = decodeAt(text, i);
        if (!c.valid)
            out += code("<0x%02X>", unsigned(c.codePoint));
        else if (isInvisible(c.codePoint))
            out += code("<U+%04X>", unsigned(c.codePoint));
        else
            out.append(text.substr(i, c.length));
        i += c.length;
    }
    return out + "\xE2\x80\x9D";
}

std::optional<BadCharacter> findBadCharacter(std::string_view field)
{
    for (std::size_t i = 0; i < field.size();) {
        if (field[i] == '\\' && i + 1 < field.size()) {
            const char next = field[i + 1];
            const char32_t escaped = next == 't' ? U'\t' : next == 'n' ? U'\n' : next == 'r' ? U'\r' : 0;
            if (escaped)
                return BadCharacter {i,
                                     "a(z) " + code("U+%04X", unsigned(escaped)) + " vezérlőkarakter (\\"
                                         + std::string(1, next) + ") nem állhat szövegben"};
            i += 2;
            continue;
        }
        const Decoded c = decodeAt(field, i);
        if (!c.valid)
            return BadCharacter {i,
                                 "a(z) " + code("0x%02X", unsigned(c.codePoint))
                                     + " bájt nem UTF-8 karakter (a bemenet UTF-8 szöveg legyen)"};
        if (isControl(c.codePoint))
            return BadCharacter {
                i, "a(z) " + code("U+%04X", unsigned(c.codePoint)) + " vezérlőkarakter nem állhat szövegben"};
        i += c.length;
    }
    return std::nullopt;
}

std::size_t charactersBefore(std::string_view text, std::size_t offset)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < offset && i < text.size(); ++count)
        i += decodeAt(text, i).length;
    return count;
}

} // namespace tabla
