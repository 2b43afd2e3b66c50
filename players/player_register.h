#pragma once
// The player register without a window: which record is the current player's, posting that player's totals
// into their own record, and which names are accepted.

#include "storage/table.h"

#include <cstdint>
#include <optional>
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

// Whether any record bears exactly these bytes as its name (the settings keep a player's choices by them).
bool hasPlayerNamed(const storage::Table& table, std::string_view name);

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

// The register as the game uses it: one table file of players, and which of its records is the current
// player's. The dialog edits its records; the main window asks it for players and gives it their totals.
class Register
{
public:
    Register();

    // Reads the file. A file that cannot be read or is damaged throws, the message naming the file; the
    // records read before the damage stay, and nobody is restored from it (see loadFailed()).
    void open(const std::string& path);
    bool isOpen() const { return m_table.isOpen(); }
    bool isEmpty() const { return !m_table.isOpen() || m_table.isEmpty(); }
    // The file was there but could not be read: its last player's name must not be forgotten.
    bool loadFailed() const { return m_table.loadFailed(); }

    // The start-up step: the player named `name` (exactly) becomes the current player, under the cursor.
    std::optional<PlayerFigures> restore(std::string_view name);
    bool hasCurrentPlayer() const { return m_current != NoRecord; }
    // The current player's figures go into their own record, wherever the cursor is; nothing happens
    // without a current player.
    void storeTotals(int32_t total, int32_t rounds);
    // The record under the cursor becomes the current player, after the current player's gains went back
    // into their own record, so choosing the same player again loses nothing. Throws when the register is
    // empty or closed.
    PlayerFigures choose(int32_t currentTotal, int32_t currentRounds);
    // Deletes the record under the cursor; true when it was the current player's, who is then nobody.
    bool deleteSelected();

    // Writes the file and stays open (a round has ended), or writes it and closes (the end of the game). A
    // damaged file kept aside by a save is told by the close.
    [[nodiscard]] storage::SaveOutcome save();
    [[nodiscard]] storage::SaveOutcome close();

    // The records, for the grid that shows them and the name entry that adds and renames.
    storage::Table& table() { return m_table; }
    const storage::Table& table() const { return m_table; }

private:
    storage::Table m_table;
    RecordId m_current = NoRecord;
    std::string m_keptBackup; // by a save that kept the damaged file aside, until the close tells it
};

} // namespace players
