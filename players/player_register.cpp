#include "players/player_register.h"

#include "storage/schemas.h"
#include "storage/storage_error.h"

#include <algorithm>
#include <utility>

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

bool hasPlayerNamed(const storage::Table& table, std::string_view name)
{
    if (!table.isOpen())
        return false;
    for (int i = 0; i < table.recordCount(); ++i) {
        if (table.textAt(i, storage::player::Nev) == name)
            return true;
    }
    return false;
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

namespace players {

Register::Register()
    : m_table(storage::playerColumns())
{
    storage::configurePlayerRegister(m_table);
}

void Register::open(const std::string& path)
{
    m_table.setFilePath(path);
    try {
        m_table.open();
    } catch (const std::exception& error) {
        throw storage::StorageError(storage::namingFile(error.what(), path));
    }
}

std::optional<PlayerFigures> Register::restore(std::string_view name)
{
    if (!locateByName(m_table, name))
        return std::nullopt;
    m_current = currentRecordId(m_table);
    return currentFigures(m_table);
}

void Register::storeTotals(int32_t total, int32_t rounds)
{
    if (m_current != NoRecord && m_table.isOpen())
        writeTotals(m_table, m_current, total, rounds);
}

PlayerFigures Register::choose(int32_t currentTotal, int32_t currentRounds)
{
    m_table.refresh();
    const RecordId chosen = currentRecordId(m_table);
    if (m_current != NoRecord)
        writeTotals(m_table, m_current, currentTotal, currentRounds);
    moveToRecord(m_table, chosen);
    m_current = chosen;
    return currentFigures(m_table);
}

bool Register::deleteSelected()
{
    const RecordId deleted = currentRecordId(m_table);
    m_table.deleteRecord();
    m_table.refresh();
    if (deleted != m_current || deleted == NoRecord)
        return false;
    m_current = NoRecord;
    return true;
}

storage::SaveOutcome Register::save()
{
    storage::SaveOutcome outcome = m_table.save();
    if (!outcome.keptBackup.empty())
        m_keptBackup = outcome.keptBackup;
    return outcome;
}

storage::SaveOutcome Register::close()
{
    m_current = NoRecord;
    storage::SaveOutcome outcome = m_table.close();
    // A backup kept by a save after a round is told at the close, once.
    if (outcome.keptBackup.empty())
        outcome.keptBackup = std::exchange(m_keptBackup, {});
    return outcome;
}

} // namespace players
