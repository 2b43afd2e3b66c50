#include "players/history.h"

#include "storage/schemas.h"
#include "storage/storage_error.h"

#include <utility>

namespace players {

History::History()
    : m_table(storage::historyColumns())
{
    // Fifty rounds a day for five years is some 100,000 records, about 11 MB: room for several times that.
    m_table.setFileSizeLimit(uint64_t {64} * 1024 * 1024);
}

void History::setPath(const std::string& path) { m_table.setFilePath(path); }

void History::read()
{
    m_read = true;
    try {
        m_table.open();
    } catch (const std::exception& error) {
        // The rounds read before the damage stay; the next save keeps the damaged file as a backup.
        m_loadError = storage::namingFile(error.what(), m_table.filePath());
    }
    if (m_table.isOpen())
        m_rounds = readHistory(m_table);
}

const std::vector<RoundRecord>& History::rounds()
{
    if (!m_read)
        read();
    return m_rounds;
}

std::string History::takeLoadError() { return std::exchange(m_loadError, {}); }

storage::SaveOutcome History::save()
{
    storage::SaveOutcome saved = m_table.save();
    m_unsaved = !saved.ok();
    if (!saved.keptBackup.empty())
        m_keptBackup = saved.keptBackup;
    return saved;
}

storage::SaveOutcome History::record(const RoundRecord& round)
{
    rounds();
    if (!m_table.isOpen())
        return {};
    appendRound(m_table, round);
    m_rounds.push_back(round);
    return save();
}

storage::SaveOutcome History::renamePlayer(std::string_view oldName, std::string_view newName)
{
    rounds();
    if (!m_table.isOpen() || players::renamePlayer(m_table, oldName, newName) == 0)
        return {};
    players::renamePlayer(m_rounds, oldName, newName);
    return save();
}

storage::SaveOutcome History::removePlayer(std::string_view name)
{
    rounds();
    if (!m_table.isOpen() || players::removePlayer(m_table, name) == 0)
        return {};
    players::removePlayer(m_rounds, name);
    return save();
}

storage::SaveOutcome History::close()
{
    if (!m_table.isOpen())
        return {};
    storage::SaveOutcome closed;
    if (m_unsaved)
        closed = m_table.close();
    else
        m_table.closeWithoutSaving();
    if (closed.keptBackup.empty())
        closed.keptBackup = std::exchange(m_keptBackup, {});
    return closed;
}

} // namespace players
