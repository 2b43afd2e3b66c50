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

bool locateByName(storage::Table& table, std::string_view name)
{
    // The table would cut a longer name to the column before comparing: such a name is nobody's.
    if (name.empty() || name.size() > size_t(storage::player::NameSize) || !table.isOpen())
        return false;
    return table.locate(table.columns()[storage::player::Nev].name, name);
}

bool isBlankName(std::string_view name)
{
    return std::none_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) > ' '; });
}

PlayerFigures currentFigures(const storage::Table& table)
{
    return {table.asString(storage::player::Nev), table.asInt(storage::player::OsszPont),
            table.asInt(storage::player::Jatszott)};
}

} // namespace players
