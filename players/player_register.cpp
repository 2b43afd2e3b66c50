#include "players/player_register.h"

#include "storage/schemas.h"

#include <algorithm>

namespace players {

RecordId currentRecordId(const storage::Table& table)
{
    const auto id = table.currentRecordId();
    return id ? RecordId {*id} : NoRecord;
}

bool moveToRecord(storage::Table& table, RecordId id)
{
    if (id < 0 || id > RecordId {UINT32_MAX})
        return false;
    return table.moveToRecord(static_cast<storage::Table::RecordId>(id));
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
    return {table.asString(storage::player::Nev), table.asInt(storage::player::OsszPont),
            table.asInt(storage::player::Jatszott)};
}

} // namespace players
