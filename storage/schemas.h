#pragma once
// The game's two tables: the puzzle list (Brumvelda.lis) and the player register (Brumvelda.jat).

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

std::vector<Column> puzzleColumns();
std::vector<Column> playerColumns(); // Atlag is calculated: averageScore(OsszPont, Jatszott)

// For a table made with playerColumns(): sort orders iNev, iOsszPont (desc), iJatszott, iAtlag (desc),
// opened by iNev, and the register's size limit. The puzzle list needs nothing beyond its columns.
void configurePlayerRegister(Table& table);

// Atlag: OsszPont / Jatszott truncated toward zero, 0 without rounds (and no overflow at INT_MIN / -1).
int32_t averageScore(int32_t total, int32_t rounds);

} // namespace storage
