// Saves under real trouble: a full disk (a tiny tmpfs) and a process killed in the middle of a save.
#ifdef _WIN32
#include <gtest/gtest.h>

TEST(TableFileCrash, NeedsLinux)
{
    GTEST_SKIP()
        << "Linux only: the full disk is a tiny tmpfs mount, and the crash a child process killed by SIGKILL";
}
#else
#include "storage/schemas.h"
#include "storage/storage_error.h"
#include "storage/table.h"
#include "storage/table_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/mount.h>
#include <sys/wait.h>
#include <thread>

using namespace storage;
using storage::testing::readBytes;
using storage::testing::TempFolder;

namespace {

void fill(Table& t, int count, int from = 0)
{
    for (int i = from; i < from + count; ++i) {
        t.append();
        t.setString(puzzle::Szoveg, std::string(39, char('A' + i % 26)));
        t.setInt(puzzle::Nyelv, 1);
        t.setString(puzzle::Sugo1, "hint " + std::to_string(i));
        t.setString(puzzle::Sugo2, "");
        t.setInt(puzzle::Fokozat, 1 + i % 4);
        t.setInt(puzzle::Kategoria, 1 + i % 16);
        t.post();
    }
}

class SmallDisk : public ::testing::Test
{
protected:
    TempFolder folder;
    bool mounted = false;

    void SetUp() override
    {
        mounted = ::mount("tmpfs", folder.path().c_str(), "tmpfs", 0, "size=48k") == 0;
        if (!mounted)
            GTEST_SKIP() << "cannot mount a tmpfs here";
    }
    void TearDown() override
    {
        if (mounted)
            ::umount2(folder.path().c_str(), MNT_DETACH);
    }
};

} // namespace

TEST_F(SmallDisk, AFullDiskFailsTheSaveAndLeavesTheOldFileWhole)
{
    const std::string path = folder.file("Brumvelda.lis");
    Table t(puzzleColumns());
    t.setFilePath(path);
    t.open();
    fill(t, 250); // about 18 KB
    ASSERT_TRUE(t.close().ok());
    const std::string before = readBytes(path);
    ASSERT_GT(before.size(), 16000u);

    t.open();
    fill(t, 250, 250); // twice that: old file and new one do not fit together
    const SaveOutcome closed = t.close();
    EXPECT_FALSE(closed.ok()) << "the save fitted";
    EXPECT_EQ(closed.reason, "Stream write error");
    EXPECT_FALSE(t.isOpen()); // nothing more to try on this disk
    EXPECT_EQ(readBytes(path), before);
    EXPECT_FALSE(std::filesystem::exists(folder.file("Brumvelda.$$$")));
}

TEST(KilledSave, AProcessKilledWhileSavingLeavesTheOldOrTheNewFileWhole)
{
    TempFolder folder;
    const std::string path = folder.file("Brumvelda.lis");
    {
        Table t(puzzleColumns());
        t.setFilePath(path);
        t.open();
        fill(t, 1000);
        ASSERT_TRUE(t.close().ok());
    }
    for (int delayMs : {1, 3, 7, 15}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves ever larger tables until it is killed; never returns into the test runner.
            try {
                Table t(puzzleColumns());
                t.setFilePath(path);
                t.open();
                for (;;) {
                    fill(t, 2000, t.recordCount());
                    if (!t.close().ok()) // writes the file
                        break;
                    t.open();
                }
            } catch (...) {
            }
            ::_exit(1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs * 10));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        Table t(puzzleColumns());
        t.setFilePath(path);
        EXPECT_NO_THROW(t.open()) << "killed after " << delayMs * 10 << " ms";
        EXPECT_GE(t.recordCount(), 1000);
        EXPECT_EQ(t.recordCount() % 1000, 0);
        t.closeWithoutSaving();
    }
}
#endif
