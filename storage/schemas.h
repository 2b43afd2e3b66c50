#pragma once
// The game's tables: the puzzle list (Brumvelda.lis), the player register (Brumvelda.jat) and the round
// history (Brumvelda.tor).

#include "storage/table.h"

namespace storage {

namespace puzzle {
enum Column : int { Szoveg = 0, Nyelv, Sugo1, Sugo2, Fokozat, Kategoria };
inline constexpr int TextSize = 39;
inline constexpr int HintSize = 100;
} // namespace puzzle

namespace player {
enum Column : int { Nev = 0, OsszPont, Jatszott, Atlag };
inline constexpr int NameSize = 20;
} // namespace player

// One record per round that ended, appended in the order the rounds ended.
//   Idopont: the local wall-clock time the round ended, in minutes since 1970-01-01 00:00 of the local
//     calendar (not UTC): the day, week and month a round counts for is then plain arithmetic, the same
//     after a clock change or a move to another time zone, and 32 bits last until the year 6053.
//   Kimenet: see Outcome. Sugo and Napi are 0 or 1.
namespace history {
enum Column : int { Nev = 0, Idopont, Szoveg, Nyelv, Fokozat, Kategoria, Kimenet, Pont, Hibak, Sugo, Napi };
inline constexpr int NameSize = player::NameSize;
inline constexpr int TextSize = puzzle::TextSize;
// How a round ended; the codes are stored, so they never change.
enum Outcome : int32_t { Won = 1, Lost = 2, GivenUp = 3, Abandoned = 4 };
} // namespace history

std::vector<Column> puzzleColumns();
std::vector<Column> playerColumns(); // Atlag is calculated: averageScore(OsszPont, Jatszott)
std::vector<Column> historyColumns();

// For a table made with playerColumns(): sort orders iNev, iOsszPont (desc), iJatszott, iAtlag (desc),
// opened by iNev, and the register's size limit. The puzzle list needs nothing beyond its columns.
void configurePlayerRegister(Table& table);

// Atlag: OsszPont / Jatszott truncated toward zero, 0 without rounds (and no overflow at INT_MIN / -1).
int32_t averageScore(int32_t total, int32_t rounds);

} // namespace storage
