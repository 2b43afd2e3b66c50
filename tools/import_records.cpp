#include "tools/import_records.h"

#include "editor/phrase_layout.h"
#include "game/round_rules.h"
#include "game/tables.h"
#include "storage/ascii_case.h"
#include "storage/cp1250.h"
#include "storage/schemas.h"
#include "storage/storage_error.h"
#include "tools/clock_text.h"
#include "tools/tsv.h"
#include "tools/visible_text.h"

#include <charconv>
#include <cstdio>
#include <optional>

namespace tabla {

namespace {

enum class Rule {
    PuzzleText,
    Language,
    Hint,
    Level,
    Category,
    Name,
    Total,
    Rounds,
    Ignored,
    Time,
    Outcome,
    Score,
    Mistakes,
    Flag
};

struct ColumnRule
{
    Rule rule;
    bool required; // the header must name it
};

ColumnRule ruleFor(TableKind kind, int column)
{
    if (kind == TableKind::PuzzleList) {
        switch (column) {
        case storage::puzzle::Szoveg:
            return {Rule::PuzzleText, true};
        case storage::puzzle::Nyelv:
            return {Rule::Language, true};
        case storage::puzzle::Fokozat:
            return {Rule::Level, true};
        case storage::puzzle::Kategoria:
            return {Rule::Category, true};
        default:
            return {Rule::Hint, false};
        }
    }
    if (kind == TableKind::RoundHistory) {
        // What a round was is needed; its figures may be left out for 0.
        switch (column) {
        case storage::history::Nev:
            return {Rule::Name, true};
        case storage::history::Idopont:
            return {Rule::Time, true};
        case storage::history::Szoveg:
            return {Rule::PuzzleText, true};
        case storage::history::Nyelv:
            return {Rule::Language, true};
        case storage::history::Fokozat:
            return {Rule::Level, true};
        case storage::history::Kategoria:
            return {Rule::Category, true};
        case storage::history::Kimenet:
            return {Rule::Outcome, true};
        case storage::history::Pont:
            return {Rule::Score, false};
        case storage::history::Hibak:
            return {Rule::Mistakes, false};
        default:
            return {Rule::Flag, false};
        }
    }
    switch (column) {
    case storage::player::Nev:
        return {Rule::Name, true};
    case storage::player::OsszPont:
        return {Rule::Total, false};
    case storage::player::Jatszott:
        return {Rule::Rounds, false};
    default:
        return {Rule::Ignored, false};
    }
}

// What a column left out of the header gets.
ImportField absentField(Rule rule)
{
    switch (rule) {
    case Rule::Hint:
        return {ImportField::Kind::Text, 0, ""};
    case Rule::Total:
    case Rule::Rounds:
    case Rule::Score:
    case Rule::Mistakes:
    case Rule::Flag:
        return {ImportField::Kind::Int, 0, ""};
    default:
        return {};
    }
}

// What the input held, shown so that invisible characters and stray bytes can be seen.
std::string quoted(std::string_view text) { return quotedVisible(text); }

std::optional<int32_t> parseInteger(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string describeCharacter(char c)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", unsigned(storage::cp1250::codePointOf(c)));
    std::string shown
        = static_cast<unsigned char>(c) < 32 ? std::string() : storage::cp1250::toUtf8(std::string(1, c));
    return "a(z) " + quoted(shown) + " karakter (" + code + ")";
}

// The value of one field, or the message that says what is wrong with it.
std::variant<ImportField, std::string> convertField(Rule rule, std::string_view raw)
{
    const bool isNull = raw == NullField;
    auto inRange = [&](int lo, int hi) -> std::variant<ImportField, std::string> {
        std::optional<int32_t> value = isNull ? std::nullopt : parseInteger(raw);
        if (!value || *value < lo || *value > hi)
            return std::to_string(lo) + " és " + std::to_string(hi) + " közötti egész szám kell, nem "
                + quoted(raw);
        return ImportField {ImportField::Kind::Int, *value, ""};
    };
    switch (rule) {
    case Rule::Language:
        return inRange(1, 2);
    case Rule::Level:
        return inRange(1, 4);
    case Rule::Category:
        return inRange(1, 16);
    case Rule::Outcome:
        return inRange(storage::history::Won, storage::history::Abandoned);
    case Rule::Flag:
        return inRange(0, 1);
    case Rule::Score:
    case Rule::Mistakes: {
        std::optional<int32_t> value = isNull ? std::nullopt : parseInteger(raw);
        if (!value)
            return "egész szám kell, nem " + quoted(raw);
        if (rule == Rule::Mistakes && *value < 0)
            return "a hibák száma nem lehet negatív";
        return ImportField {ImportField::Kind::Int, *value, ""};
    }
    case Rule::Time: {
        std::optional<int32_t> minutes = isNull ? std::nullopt : clockMinutes(raw);
        if (!minutes)
            return "ÉÉÉÉ-HH-NN ÓÓ:PP alakú, létező időpont kell, nem " + quoted(raw);
        return ImportField {ImportField::Kind::Int, *minutes, ""};
    }
    case Rule::Ignored:
        return ImportField {};
    case Rule::Total:
    case Rule::Rounds: {
        if (isNull)
            return ImportField {ImportField::Kind::Null, 0, ""};
        std::optional<int32_t> value = parseInteger(raw);
        if (!value)
            return "egész szám kell, nem " + quoted(raw);
        if (rule == Rule::Rounds && *value < 0)
            return "a játszott menetek száma nem lehet negatív";
        return ImportField {ImportField::Kind::Int, *value, ""};
    }
    default:
        break;
    }

    // Text columns.
    if (isNull && rule == Rule::Hint)
        return ImportField {ImportField::Kind::Null, 0, ""};
    if (isNull)
        return std::string("nem lehet üres (\\N)");
    std::string badSequence;
    std::optional<std::string> utf8 = unescapeField(raw, badSequence);
    if (!utf8)
        return "ismeretlen jelölés: " + quoted(badSequence) + " (a \\ után \\, t, n vagy r állhat)";
    std::string text;
    try {
        text = storage::cp1250::fromUtf8(*utf8);
    } catch (const storage::StorageError& e) {
        return std::string(e.what());
    }

    if (rule == Rule::Hint) {
        text = game::trimmedHint(text);
        if (text.size() > std::size_t(storage::puzzle::HintSize))
            return "a súgó legfeljebb " + std::to_string(storage::puzzle::HintSize) + " karakter lehet, ez "
                + std::to_string(text.size()) + " karakteres";
        return ImportField {ImportField::Kind::Text, 0, text};
    }
    // Blanks alone are no name and no phrase: they would make a nameless player or an empty board.
    const bool blank = game::trimmedHint(text).empty();
    if (rule == Rule::Name) {
        if (blank)
            return std::string("a név nem lehet üres");
        if (text.size() > std::size_t(storage::player::NameSize))
            return "a név legfeljebb " + std::to_string(storage::player::NameSize) + " karakter lehet, ez "
                + std::to_string(text.size()) + " karakteres";
        return ImportField {ImportField::Kind::Text, 0, text};
    }

    // The puzzle text: 39 cells as they stand, or a phrase laid out on the board.
    if (blank && text.size() != std::size_t(game::CellCount))
        return std::string("a feladvány szövege nem lehet üres");
    editor::PhraseLayout layout = editor::layOutPuzzleText(text);
    switch (layout.problem) {
    case editor::LayoutProblem::None:
        if (!game::hasLetter(layout.cells))
            return std::string("a feladványban nincs egyetlen betű sem: a játékban az első rossz tipp "
                               "megnyerné a kört");
        return ImportField {ImportField::Kind::Text, 0, layout.cells};
    case editor::LayoutProblem::NotBoardCharacter:
        return describeCharacter(layout.character)
            + " nem tehető a táblára (csak betű, szóköz és a . , ! ? : ; - + * / jelek)";
    case editor::LayoutProblem::DoesNotFit:
        return std::string("a szöveg nem fér el a táblán: legfeljebb három, 13 karakteres sorba kell férnie, "
                           "a szavak nem törhetők");
    }
    return std::string();
}

struct Header
{
    std::vector<int> columnOfField; // table column of each input field
};

std::variant<Header, std::string> parseHeader(TableKind kind, std::string_view line,
                                              const std::vector<storage::Column>& columns)
{
    Header header;
    std::vector<bool> seen(columns.size(), false);
    for (std::string_view name : splitFields(line)) {
        int column = -1;
        for (std::size_t c = 0; c < columns.size(); ++c)
            if (storage::sameIgnoringAsciiCase(columns[c].name, name))
                column = int(c);
        if (column < 0) {
            std::string known;
            for (const storage::Column& c : columns)
                known += (known.empty() ? "" : ", ") + c.name;
            return "ismeretlen oszlop: " + quoted(name) + " (ismert oszlopok: " + known + ")";
        }
        if (seen[std::size_t(column)])
            return "a(z) " + quoted(columns[std::size_t(column)].name) + " oszlop kétszer szerepel";
        seen[std::size_t(column)] = true;
        header.columnOfField.push_back(column);
    }
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (!seen[c] && ruleFor(kind, int(c)).required)
            return "hiányzik a(z) " + quoted(columns[c].name) + " oszlop";
    return header;
}

} // namespace

ImportResult parseImport(TableKind kind, std::string_view input)
{
    const std::vector<storage::Column> columns = columnsOf(kind);
    std::optional<Header> header;
    std::vector<ImportRecord> records;

    int lineNumber = 0;
    std::size_t start = 0;
    // A byte-order mark that some editors put before UTF-8 text is no part of the first column's name.
    if (input.substr(0, 3) == "\xEF\xBB\xBF")
        start = 3;
    while (start < input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string_view::npos)
            end = input.size();
        std::string_view line = input.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') // text saved with CRLF line ends
            line.remove_suffix(1);

        if (!header) {
            auto parsed = parseHeader(kind, line, columns);
            if (auto* message = std::get_if<std::string>(&parsed))
                return ImportFailure {lineNumber, *message};
            header = std::get<Header>(parsed);
            continue;
        }
        if (line.empty())
            continue;

        std::vector<std::string_view> fields = splitFields(line);
        if (fields.size() != header->columnOfField.size())
            return ImportFailure {lineNumber,
                                  std::to_string(fields.size()) + " mező van a sorban, a fejléc szerint "
                                      + std::to_string(header->columnOfField.size()) + " kell"};
        ImportRecord record(columns.size());
        for (std::size_t c = 0; c < columns.size(); ++c)
            record[c] = absentField(ruleFor(kind, int(c)).rule);
        for (std::size_t f = 0; f < fields.size(); ++f) {
            int column = header->columnOfField[f];
            const Rule rule = ruleFor(kind, column).rule;
            const bool isText = rule == Rule::PuzzleText || rule == Rule::Hint || rule == Rule::Name;
            if (isText) {
                if (std::optional<BadCharacter> bad = findBadCharacter(fields[f])) {
                    const std::size_t at = std::size_t(fields[f].data() - line.data()) + bad->offset;
                    return ImportFailure {lineNumber, columns[std::size_t(column)].name + ": " + bad->message,
                                          int(charactersBefore(line, at)) + 1};
                }
            }
            auto converted = convertField(ruleFor(kind, column).rule, fields[f]);
            if (auto* message = std::get_if<std::string>(&converted))
                return ImportFailure {lineNumber, columns[std::size_t(column)].name + ": " + *message};
            record[std::size_t(column)] = std::get<ImportField>(converted);
        }
        records.push_back(std::move(record));
    }
    if (!header)
        return ImportFailure {1, "hiányzik a fejléc (az oszlopnevek sora)"};
    return records;
}

void appendRecords(storage::Table& table, const std::vector<ImportRecord>& records)
{
    for (const ImportRecord& record : records) {
        table.append();
        for (std::size_t c = 0; c < record.size(); ++c) {
            const ImportField& field = record[c];
            switch (field.kind) {
            case ImportField::Kind::Skip:
                break;
            case ImportField::Kind::Null:
                table.clear(int(c));
                break;
            case ImportField::Kind::Int:
                table.setInt(int(c), field.number);
                break;
            case ImportField::Kind::Text:
                table.setString(int(c), field.text);
                break;
            }
        }
        table.post();
    }
}

} // namespace tabla
