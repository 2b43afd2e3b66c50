#include "tools/tsv.h"

#include <algorithm>

namespace tabla {

std::string escapeField(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::string> unescapeField(std::string_view field, std::string& badSequence)
{
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        char next = i + 1 < field.size() ? field[i + 1] : '\0';
        switch (next) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default: {
            // Name the whole character after the backslash, not half of a UTF-8 sequence.
            std::size_t end = std::min(i + 2, field.size());
            while (end < field.size() && (static_cast<unsigned char>(field[end]) & 0xC0) == 0x80)
                ++end;
            badSequence = std::string(field.substr(i, end - i));
            return std::nullopt;
        }
        }
        ++i;
    }
    return out;
}

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

} // namespace tabla
