#pragma once
// The round history as the game keeps it: the history file, read when it is first needed (never before the
// window shows, so a long history costs the start-up nothing), and written through the tables' atomic save
// as soon as a round ends.

#include "players/round_history.h"
#include "storage/table.h"

#include <string>
#include <string_view>
#include <vector>

namespace players {

class History
{
public:
    History();

    // Where the file is; nothing is read yet.
    void setPath(const std::string& path);

    // The rounds, oldest first; the file is read at the first call. A damaged or unreadable file leaves the
    // rounds read before the damage, and loadError() says what went wrong, once. The next save keeps the
    // damaged file aside as a backup, as the other tables do.
    const std::vector<RoundRecord>& rounds();
    // What the read found wrong, naming the file; emptied by the call.
    std::string takeLoadError();

    // One more round, written at once. A failed write keeps the round in memory: the exit writes it again.
    [[nodiscard]] storage::SaveOutcome record(const RoundRecord& round);
    // A renamed player keeps their rounds; a deleted player's rounds go. Written at once when any changed.
    [[nodiscard]] storage::SaveOutcome renamePlayer(std::string_view oldName, std::string_view newName);
    [[nodiscard]] storage::SaveOutcome removePlayer(std::string_view name);
    // The end of the game: written if something is still unwritten, then closed. A backup kept by an
    // earlier save is told here.
    [[nodiscard]] storage::SaveOutcome close();

private:
    void read();
    storage::SaveOutcome save();

    storage::Table m_table;
    std::vector<RoundRecord> m_rounds;
    std::string m_loadError;
    std::string m_keptBackup;
    bool m_read = false;
    bool m_unsaved = false;
};

} // namespace players
