#pragma once
// Rules of the player register that need no window: which record is the current player's, posting that
// player's totals into their own record, and which names are accepted.

#include "storage/table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace players {

// A record's identity for the rest of the run: it survives edits, re-sorts and the deletion of other
// records, and is never given to another record after its own is deleted.
using RecordId = int64_t;
inline constexpr RecordId NoRecord = -1;

// The record under the register's cursor (a record being appended has none yet).
RecordId currentRecordId(const storage::Table& table);
// Makes the record current; false, with the cursor unchanged, when it is no longer in the register.
bool moveToRecord(storage::Table& table, RecordId id);

// Writes total and rounds into the record `id`, leaving the cursor on the record it was on.
// False when the record is gone; nothing is written then.
bool writeTotals(storage::Table& table, RecordId id, int32_t total, int32_t rounds);

// Makes current the first record (in the active order) whose name equals `name` as the register's name
// order compares them (letter case counts, the whole name); the cursor stays where it was when none does.
// An empty name finds nothing.
bool locateByName(storage::Table& table, std::string_view name);

// A name with no character above a space (empty, blanks, control characters) names nobody: the name dialog
// refuses it and the main window counts it as no player.
bool isBlankName(std::string_view name);

// The figures of the current record, as the game takes them over.
struct PlayerFigures
{
    std::string name;
    int32_t total = 0;
    int32_t rounds = 0;
};
PlayerFigures currentFigures(const storage::Table& table);

} // namespace players
