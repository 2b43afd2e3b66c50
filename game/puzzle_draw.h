#pragma once
// Choosing the puzzle of a new round: from a random record of the puzzle list, the first admitted record
// going forward with wrap-around. Works on the table's cursor, so no record is copied.

#include "game/round.h"
#include "game/round_rules.h"
#include "storage/table.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace game {

struct DrawResult
{
    bool admitted = false; // the chosen record is the table's current record
    int64_t tests = 0; // records tested, the starting one counted again when it comes round
};

// The records a draw passes over because the player met them lately (game/daily_puzzle.h), by position in
// the list's active order; when every admitted record is passed over, the one met longest ago is taken.
struct RecentPuzzles
{
    std::vector<bool> skipped; // empty: nothing is passed over
    int fallback = -1;
};
// The positions of the admitted records among the player's last rounds (`metOldestFirst`, their texts in
// the order played).
RecentPuzzles recentPuzzles(const storage::Table& dbLista, const DrawChoice& choice,
                            std::span<const std::string_view> metOldestFirst);

// Scans from record `start` (0..PuzzleCount-1) for the first admitted record not in `recent`, making at
// most PuzzleCount + 1 tests, so the starting record is tested again after a full turn.
DrawResult drawPuzzle(storage::Table& dbLista, int32_t PuzzleCount, int32_t start, const DrawChoice& choice,
                      const RecentPuzzles& recent = {});

// A new round drawn onto `round`: mistakes and letters left go back to 0, then the record found from
// `start` is laid on the board. Nothing admitted: no round is in play and the board keeps the last puzzle.
struct DrawnRound
{
    bool drawn = false;
    int32_t Kategoria = 0; // of the record drawn
};
DrawnRound drawRound(Round& round, storage::Table& dbLista, int32_t PuzzleCount, int32_t start,
                     const DrawChoice& choice, const RecentPuzzles& recent = {});
// The round laid from the current record of `table` (the puzzle of the day, from the shipped pack).
DrawnRound startFromCurrent(Round& round, const storage::Table& table, const DrawChoice& choice);

} // namespace game
