#include "storage/settings_store.h"

#include "storage/ascii_case.h"
#include "storage/files.h"
#include "storage/paths.h"
#include "storage/storage_error.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

namespace storage {

namespace {

// The longest value a read hands back; longer values are cut like the profile functions cut them.
constexpr std::size_t MaxValueLength = 2047;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// One line of the file, classified once so reads and writes agree on what a line is.
struct IniLine
{
    enum class Kind { Other, Section, Key } kind = Kind::Other;
    std::string_view name; // section or key name, trimmed
    std::string_view value; // key lines only, trimmed
};

IniLine classify(std::string_view line)
{
    std::string_view text = trimmed(line);
    if (text.empty() || text.front() == ';' || text.front() == '#')
        return {};
    if (text.front() == '[') {
        std::size_t close = text.find(']');
        if (close == std::string_view::npos)
            return {};
        return {IniLine::Kind::Section, trimmed(text.substr(1, close - 1)), {}};
    }
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return {};
    return {IniLine::Kind::Key, trimmed(text.substr(0, equals)), trimmed(text.substr(equals + 1))};
}

std::vector<std::string_view> splitLines(std::string_view content)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos)
            end = content.size();
        lines.push_back(content.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Far more than the six keys ever take; a larger file is no settings file of ours.
constexpr unsigned long long MaxFileSize = 1 << 20;

// The whole file, or nothing when it is missing or cannot be read. A FIFO or a device (a link to /dev/zero)
// is not read at all: it could block or never end.
bool readWholeFile(const std::string& path, std::string& content)
{
    OpenedForReading opened = openForReading(path);
    if (opened.outcome != OpenedForReading::Outcome::Opened)
        return false;
    if (opened.size > MaxFileSize)
        return false;
    std::optional<std::string> read = opened.file.readUpTo(std::size_t(opened.size));
    if (!read)
        return false;
    content = std::move(*read);
    return true;
}

// A value written in quotes reads without them, as the profile functions do.
std::string_view unquoted(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool findValue(std::string_view content, const std::string& section, const std::string& key,
               std::string_view& value)
{
    bool inSection = false;
    for (std::string_view line : splitLines(content)) {
        IniLine parsed = classify(line);
        if (parsed.kind == IniLine::Kind::Section)
            inSection = sameIgnoringAsciiCase(parsed.name, section);
        else if (inSection && parsed.kind == IniLine::Kind::Key && sameIgnoringAsciiCase(parsed.name, key)) {
            value = unquoted(parsed.value);
            return true;
        }
    }
    return false;
}

// Writes the new content beside the file and renames it over, so a crash leaves the old file or the new one.
// Through a link the link's target is rewritten; a file the user may not write is left alone.
void replaceFileContent(const std::string& path, const std::string& content)
{
    const std::string failure = formatMessage("Unable to write to %s", path);
    const std::string target = followLinks(path);
    refuseReadOnly(target, failure);
    replaceFile(target, target + ".XXXXXX",
                [&](File& file) {
                    if (!file.writeAll(content.data(), content.size()))
                        throw StorageError(failure);
                },
                {failure, failure, failure});
}

std::string lineEndingOf(std::string_view content)
{
    std::size_t newline = content.find('\n');
    if (newline != std::string_view::npos && newline > 0 && content[newline - 1] == '\r')
        return "\r\n";
    return "\n";
}

// A value is one line of the file: a line break in it would plant lines (even sections) of its own.
std::string_view singleLine(std::string_view value)
{
    std::size_t end = value.find_first_of("\r\n");
    return end == std::string_view::npos ? value : value.substr(0, end);
}

// Reads trim blanks and strip one pair of quotes; a value that would lose either is written in quotes, so
// a player named "Anna " is read back as "Anna " and found again at the next start.
std::string asWritten(std::string_view value)
{
    const bool blankAtEdge = !value.empty() && (isBlank(value.front()) || isBlank(value.back()));
    if (blankAtEdge || unquoted(value).size() != value.size())
        return '"' + std::string(value) + '"';
    return std::string(value);
}

std::string withSetting(std::string_view content, const std::string& section, const std::string& key,
                        std::string_view value)
{
    const std::string eol = lineEndingOf(content);
    const std::string newLine = key + "=" + asWritten(singleLine(value));
    std::vector<std::string_view> lines = splitLines(content);

    int sectionLine = -1; // the first section of that name
    int insertAfter = -1; // its last key line (or its header)
    int keyLine = -1;
    bool inSection = false;
    for (int i = 0; i < int(lines.size()); ++i) {
        IniLine parsed = classify(lines[i]);
        if (parsed.kind == IniLine::Kind::Section) {
            if (sectionLine >= 0 && inSection)
                break; // the section ended before the key turned up
            inSection = sameIgnoringAsciiCase(parsed.name, section);
            if (inSection) {
                sectionLine = i;
                insertAfter = i;
            }
        } else if (inSection && parsed.kind == IniLine::Kind::Key) {
            insertAfter = i;
            if (sameIgnoringAsciiCase(parsed.name, key)) {
                keyLine = i;
                break;
            }
        }
    }

    std::string result;
    result.reserve(content.size() + newLine.size() + section.size() + 8);
    auto appendLine = [&](std::string_view line) {
        // Lines read from a CRLF file still carry their '\r'.
        result.append(line);
        result.append(!line.empty() && line.back() == '\r' ? "\n" : eol);
    };
    for (int i = 0; i < int(lines.size()); ++i) {
        if (i == keyLine) {
            appendLine(newLine);
            continue;
        }
        appendLine(lines[i]);
        if (keyLine < 0 && i == insertAfter)
            appendLine(newLine);
    }
    if (sectionLine < 0) {
        if (!result.empty())
            result.append(eol);
        result.append("[" + section + "]" + eol);
        result.append(newLine + eol);
    }
    return result;
}

// The lines outside every section named `section`, with the new section's lines where the first of them was
// (or at the end).
std::string withSection(std::string_view content, const std::string& section,
                        const SettingsStore::SectionKeys& keys)
{
    const std::string eol = lineEndingOf(content);
    std::string block;
    if (!keys.empty()) {
        block = "[" + section + "]" + eol;
        for (const auto& [key, value] : keys)
            block += std::string(singleLine(key)) + "=" + asWritten(singleLine(value)) + eol;
    }
    std::string result;
    result.reserve(content.size() + block.size() + 2);
    bool inSection = false;
    bool placed = false;
    for (std::string_view line : splitLines(content)) {
        const IniLine parsed = classify(line);
        if (parsed.kind == IniLine::Kind::Section) {
            inSection = sameIgnoringAsciiCase(parsed.name, section);
            if (inSection && !placed) {
                result.append(block);
                placed = true;
            }
        }
        if (inSection)
            continue;
        result.append(line);
        result.append(!line.empty() && line.back() == '\r' ? "\n" : eol);
    }
    if (!placed && !block.empty()) {
        if (!result.empty())
            result.append(eol);
        result.append(block);
    }
    return result;
}

// The file's content for a write: a missing file is empty, one that exists but cannot be read must not be
// overwritten.
std::string contentForWriting(const std::string& path)
{
    std::string content;
    if (!readWholeFile(path, content)) {
        // Only a missing file starts empty; one that exists but cannot be read must not be overwritten.
        if (platform::exists(path))
            throw StorageError(formatMessage("Unable to write to %s", path));
        content.clear();
    }
    return content;
}

} // namespace

void SettingsStore::setPath(std::string path) { m_path = std::move(path); }

const std::string& SettingsStore::path() const { return m_path; }

std::string SettingsStore::ReadSettingStr(const std::string& section, const std::string& key,
                                          const std::string& defaultValue) const
{
    std::string content;
    std::string_view value;
    if (!readWholeFile(m_path, content) || !findValue(content, section, key, value))
        return defaultValue;
    return std::string(value.substr(0, MaxValueLength));
}

int32_t SettingsStore::ReadSettingInt(const std::string& section, const std::string& key,
                                      int32_t defaultValue) const
{
    int32_t result = 0;
    return parseSettingInt(ReadSettingStr(section, key, ""), result) ? result : defaultValue;
}

void SettingsStore::WriteSettingStr(const std::string& section, const std::string& key,
                                    const std::string& value)
{
    replaceFileContent(m_path, withSetting(contentForWriting(m_path), section, key, value));
}

SettingsStore::SectionKeys SettingsStore::ReadSection(const std::string& section) const
{
    SectionKeys keys;
    std::string content;
    if (!readWholeFile(m_path, content))
        return keys;
    bool inSection = false;
    for (std::string_view line : splitLines(content)) {
        const IniLine parsed = classify(line);
        if (parsed.kind == IniLine::Kind::Section) {
            inSection = sameIgnoringAsciiCase(parsed.name, section);
        } else if (inSection && parsed.kind == IniLine::Kind::Key) {
            const bool known = std::any_of(keys.begin(), keys.end(), [&](const auto& entry) {
                return sameIgnoringAsciiCase(entry.first, parsed.name);
            });
            if (!known)
                keys.emplace_back(std::string(parsed.name),
                                  std::string(unquoted(parsed.value).substr(0, MaxValueLength)));
        }
    }
    return keys;
}

void SettingsStore::ReplaceSection(const std::string& section, const SectionKeys& keys)
{
    const std::string content = contentForWriting(m_path);
    const std::string replaced = withSection(content, section, keys);
    if (replaced != content)
        replaceFileContent(m_path, replaced);
}

void SettingsStore::WriteSettingInt(const std::string& section, const std::string& key, int32_t value)
{
    WriteSettingStr(section, key, std::to_string(value));
}

bool parseSettingInt(const std::string& text, int32_t& result)
{
    std::string_view rest = text;
    std::string hexForm;
    if (rest.size() > 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        hexForm = "$" + std::string(rest.substr(2));
        rest = hexForm;
    }
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    int base = 10;
    if (!rest.empty() && (rest.front() == '$' || rest.front() == 'x' || rest.front() == 'X')) {
        base = 16;
        rest.remove_prefix(1);
    }
    if (rest.empty())
        return false;

    // The magnitude may reach 2^31 only for a negative number; stop as soon as it passes that.
    constexpr int64_t limit = int64_t(1) << 31;
    int64_t magnitude = 0;
    for (char c : rest) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return false;
    }
    if (!negative && magnitude == limit)
        return false;
    result = int32_t(negative ? -magnitude : magnitude);
    return true;
}

void removeLeftoverTemporaries(const std::string& path)
{
    const std::string target = followLinks(path);
    const std::string folder = folderOfFile(target);
    const std::string prefix = std::string(fileNameOf(target)) + ".";
    for (const std::string& name : platform::ownFilesIn(folder)) {
        // mkstemp's six characters are letters and digits.
        if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)
            || !std::all_of(name.begin() + std::ptrdiff_t(prefix.size()), name.end(),
                            [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
            continue;
        platform::removeFile(pathIn(folder, name));
    }
}

} // namespace storage
