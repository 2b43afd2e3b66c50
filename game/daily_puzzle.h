#pragma once
// The puzzle of the day and the skip of puzzles met too recently: both choose among the puzzle list's
// records without the random generator.

#include "game/calendar.h"
#include "storage/table.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace game {

// A hash of "YYYY-MM-DD/language/level" (FNV-1a, then a 32-bit finaliser so that neighbouring days land far
// apart): defined by its bytes alone, so every machine and build of the game computes the same value.
uint32_t dailySeed(const CivilDate& date, int32_t language, int32_t level);

// The day's puzzle for a language (Hungarian or English) and an exact level: among the list's records of
// that language and level that have a letter to find, in the list's order, the one the seed picks. Its
// position in the list's active order, or -1 when there is none. The same list on the same day gives the
// same puzzle in every family.
int dailyPuzzle(const CivilDate& date, int32_t language, int32_t level, const storage::Table& dbLista);

// How many of the player's last rounds a draw keeps away from: 200, or half the admitted puzzles when that
// is fewer, so that a small choice still has puzzles to draw from.
inline constexpr int RecentRoundLimit = 200;
int recentWindow(int admittedCount);

// Which admitted puzzles a draw passes over. `metOldestFirst` holds the texts of the player's rounds in
// the order played (only its last recentWindow() entries count); `admitted` the texts of the puzzles the
// choice admits. When every admitted puzzle is skipped, `fallback` is the index of the one met longest ago
// and the draw takes it; otherwise -1. Time: the admitted count plus the window, with one hash lookup each.
struct RecentSkip
{
    std::vector<bool> skipped; // by index into `admitted`
    int skippedCount = 0;
    int fallback = -1;
};
RecentSkip recentSkip(std::span<const std::string_view> admitted,
                      std::span<const std::string_view> metOldestFirst);

} // namespace game
