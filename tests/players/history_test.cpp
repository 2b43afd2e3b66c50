// The history file as the game keeps it: read when first asked for, each round written at once, a damaged
// file said once and kept aside by the next save, and a player's rename or deletion written.
#include "players/history.h"

#include "storage/file_names.h"
#include "storage/schemas.h"
#include "storage/table_file.h"

#include "../storage/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#ifndef _WIN32
#include <unistd.h>
#endif

using namespace players;
namespace h = storage::history;

namespace {

RoundRecord round(std::string name, int32_t outcome, int32_t score)
{
    RoundRecord r;
    r.name = std::move(name);
    r.time = 29'000'000;
    r.text = "K\xD6RTE";
    r.language = 1;
    r.level = 2;
    r.category = 3;
    r.outcome = outcome;
    r.score = score;
    r.mistakes = 4;
    r.hintsBought = true;
    return r;
}

class HistoryFile : public ::testing::Test
{
protected:
    std::string path() const { return m_dir.file(storage::HistoryFile); }
    std::vector<RoundRecord> onDisk() const
    {
        storage::Table table(storage::historyColumns());
        table.setFilePath(path());
        table.open();
        std::vector<RoundRecord> rounds = readHistory(table);
        table.closeWithoutSaving();
        return rounds;
    }
    storage::testing::TempFolder m_dir;
};

TEST_F(HistoryFile, IsReadOnlyWhenFirstAskedForAndEachRoundIsWrittenAtOnce)
{
    History history;
    history.setPath(path());
    // Nothing is made or read by naming the file.
    EXPECT_FALSE(std::filesystem::exists(storage::testing::fsPath(path())));
    EXPECT_TRUE(history.rounds().empty());

    const RoundRecord won = round("Anna", h::Won, 12);
    const RoundRecord lost = round("Bence", h::Lost, -3);
    ASSERT_TRUE(history.record(won).ok());
    EXPECT_EQ(onDisk(), std::vector<RoundRecord> {won}); // before any close
    ASSERT_TRUE(history.record(lost).ok());
    EXPECT_EQ(history.rounds(), (std::vector<RoundRecord> {won, lost}));
    EXPECT_TRUE(history.close().ok());

    // A second run reads them back, and renaming and deleting are written at once.
    History again;
    again.setPath(path());
    EXPECT_EQ(again.rounds(), (std::vector<RoundRecord> {won, lost}));
    ASSERT_TRUE(again.renamePlayer("Anna", "Panni").ok());
    ASSERT_TRUE(again.removePlayer("Bence").ok());
    RoundRecord renamed = won;
    renamed.name = "Panni";
    EXPECT_EQ(onDisk(), std::vector<RoundRecord> {renamed});
    EXPECT_EQ(again.rounds(), std::vector<RoundRecord> {renamed});
    EXPECT_TRUE(again.close().ok());
}

TEST_F(HistoryFile, ADamagedFileIsSaidOnceKeptAsideAndTheGameGoesOn)
{
    {
        History history;
        history.setPath(path());
        ASSERT_TRUE(history.record(round("Anna", h::Won, 12)).ok());
        ASSERT_TRUE(history.record(round("Anna", h::GivenUp, -5)).ok());
        ASSERT_TRUE(history.close().ok());
    }
    // The file cut short inside its last record.
    std::filesystem::resize_file(storage::testing::fsPath(path()),
                                 std::filesystem::file_size(storage::testing::fsPath(path())) - 7);

    History history;
    history.setPath(path());
    const size_t readBack = history.rounds().size();
    EXPECT_LE(readBack, 1u);
    const std::string error = history.takeLoadError();
    EXPECT_NE(error.find(storage::HistoryFile), std::string::npos) << error;
    EXPECT_EQ(history.takeLoadError(), ""); // said once

    const storage::SaveOutcome saved = history.record(round("Bence", h::Won, 8));
    EXPECT_TRUE(saved.ok()) << saved.error;
    EXPECT_EQ(onDisk().size(), readBack + 1);
    // The damaged file was kept aside, and the close tells it.
    const storage::SaveOutcome closed = history.close();
    EXPECT_FALSE(closed.keptBackup.empty());
    EXPECT_TRUE(std::filesystem::exists(storage::testing::fsPath(closed.keptBackup)));
}

#ifndef _WIN32 // a folder that may not be written is a POSIX permission
TEST_F(HistoryFile, ARoundThatCouldNotBeWrittenIsWrittenByTheClose)
{
    History history;
    history.setPath(path());
    EXPECT_TRUE(history.rounds().empty());
    // The folder cannot be written for a while: the round stays in memory.
    std::filesystem::permissions(m_dir.path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const bool asRoot = ::access(m_dir.path().c_str(), W_OK) == 0;
    const storage::SaveOutcome failed = history.record(round("Anna", h::Won, 12));
    std::filesystem::permissions(m_dir.path(), std::filesystem::perms::owner_all);
    if (!asRoot) {
        EXPECT_FALSE(failed.ok());
    }
    EXPECT_EQ(history.rounds().size(), 1u);
    EXPECT_TRUE(history.close().ok());
    EXPECT_EQ(onDisk().size(), 1u);
}
#endif

} // namespace
