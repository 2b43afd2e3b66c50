#include "players/player_register.h"

#include "storage/schemas.h"
#include "storage/table_impl.h"

#include <algorithm>

namespace players {

namespace {
    // Row ids are the table's own: the insertion sequence, kept by every order and never reused.
    const std::vector<uint32_t>& shownRows(const storage::Table& table)
    {
        return table.impl().activeRows();
    }
} // namespace

RecordId currentRecordId(const storage::Table& table)
{
    if (!table.isOpen() || table.state() == storage::TableState::Insert)
        return NoRecord;
    const int position = table.currentPosition();
    const auto& rows = shownRows(table);
    if (position < 0 || position >= static_cast<int>(rows.size()))
        return NoRecord;
    return rows[static_cast<size_t>(position)];
}

bool moveToRecord(storage::Table& table, RecordId id)
{
    if (id == NoRecord || !table.isOpen())
        return false;
    const auto& rows = shownRows(table);
    const auto found = std::find(rows.begin(), rows.end(), static_cast<uint32_t>(id));
    if (found == rows.end())
        return false;
    table.moveTo(static_cast<int>(found - rows.begin()));
    return true;
}

bool writeTotals(storage::Table& table, RecordId id, int32_t total, int32_t rounds)
{
    table.refresh();
    const RecordId cursor = currentRecordId(table);
    if (!moveToRecord(table, id))
        return false;
    table.edit();
    table.setInt(storage::player::OsszPont, total);
    table.setInt(storage::player::Jatszott, rounds);
    table.post();
    // Posting may move the record within the order; the cursor goes back to where the user left it.
    moveToRecord(table, cursor);
    return true;
}

bool locateExactName(storage::Table& table, std::string_view name)
{
    if (name.empty() || !table.isOpen())
        return false;
    table.refresh();
    const int count = table.recordCount();
    for (int position = 0; position < count; ++position) {
        if (table.stringAt(position, storage::player::Nev) == name) {
            table.moveTo(position);
            return true;
        }
    }
    return false;
}

bool isBlankName(std::string_view name)
{
    return std::all_of(name.begin(), name.end(), [](char c) { return c == ' '; });
}

PlayerFigures currentFigures(const storage::Table& table)
{
    return { table.asString(storage::player::Nev), table.asInt(storage::player::OsszPont),
        table.asInt(storage::player::Jatszott) };
}

} // namespace players
