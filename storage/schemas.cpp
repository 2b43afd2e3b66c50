#include "storage/schemas.h"

#include <climits>

namespace storage {

namespace {
Column column(std::string name, ColumnType type, int size = 0)
{
    Column c;
    c.name = std::move(name);
    c.type = type;
    c.size = size;
    return c;
}
} // namespace

std::vector<Column> puzzleColumns()
{
    return {
        column("Szoveg", ColumnType::String, puzzle::TextSize),
        column("Nyelv", ColumnType::Integer),
        column("Sugo1", ColumnType::String, puzzle::HintSize),
        column("Sugo2", ColumnType::String, puzzle::HintSize),
        column("Fokozat", ColumnType::Integer),
        column("Kategoria", ColumnType::Integer),
    };
}

std::vector<Column> playerColumns()
{
    // Labels are game text, so Windows-1250 bytes like every other text of the game.
    Column name = column("Nev", ColumnType::String, player::NameSize);
    name.label = "N\xE9v";
    name.required = true;
    Column total = column("OsszPont", ColumnType::Integer);
    total.label = "\xD6sszes pontsz\xE1m";
    total.defaultValue = 0;
    Column rounds = column("Jatszott", ColumnType::Integer);
    rounds.label = "J\xE1tszott menetek";
    rounds.defaultValue = 0;
    Column average = column("Atlag", ColumnType::Integer);
    average.label = "\xC1tlag pontsz\xE1m";
    average.calculate = averageScore;
    average.calculatedFrom = {player::OsszPont, player::Jatszott};
    return {name, total, rounds, average};
}

std::vector<Column> historyColumns()
{
    // Every column is written for every round, so none is required or defaulted: a hand-edited file with a
    // gap reads as 0 there.
    return {
        column("Nev", ColumnType::String, history::NameSize),
        column("Idopont", ColumnType::Integer),
        column("Szoveg", ColumnType::String, history::TextSize),
        column("Nyelv", ColumnType::Integer),
        column("Fokozat", ColumnType::Integer),
        column("Kategoria", ColumnType::Integer),
        column("Kimenet", ColumnType::Integer),
        column("Pont", ColumnType::Integer),
        column("Hibak", ColumnType::Integer),
        column("Sugo", ColumnType::Integer),
        column("Napi", ColumnType::Integer),
    };
}

int32_t averageScore(int32_t total, int32_t rounds)
{
    if (rounds == 0)
        return 0;
    if (total == INT32_MIN && rounds == -1)
        return INT32_MAX; // the one quotient a 32-bit integer cannot hold
    return total / rounds;
}

void configurePlayerRegister(Table& table)
{
    table.addSortOrder("iNev", {"Nev"}, false);
    table.addSortOrder("iOsszPont", {"OsszPont"}, true);
    table.addSortOrder("iJatszott", {"Jatszott"}, false);
    table.addSortOrder("iAtlag", {"Atlag"}, true);
    table.setConfiguredOrder("iNev");
    // A family's register is a few kilobytes; 8 MB holds some 300,000 players, read in about a second.
    table.setFileSizeLimit(uint64_t {8} * 1024 * 1024);
}

} // namespace storage
