// The file steps that keep data: the temporary file of a save, links, the folder lock, a load that runs out
// of memory, and a table larger than the loader's first buffer.
#ifdef _WIN32
#include <gtest/gtest.h>

TEST(FileSafety, NeedsLinux)
{
    GTEST_SKIP()
        << "Linux only: POSIX permissions as another user, links in shared folders, FIFOs, memory limits and "
           "writers in child processes; tests/platform has the Windows side of the save and the lock";
}
#else
#include "storage/files.h"
#include "storage/folder_lock.h"
#include "storage/schemas.h"
#include "storage/settings_store.h"
#include "storage/storage_error.h"
#include "storage/table.h"
#include "storage/table_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace storage;
using storage::testing::exists;
using storage::testing::readBytes;
using storage::testing::TempFolder;
using storage::testing::writeBytes;

namespace {

const ReplaceMessages Messages {"create", "write", "rename"};

void writeText(File& file, const std::string& text)
{
    if (!file.writeAll(text.data(), text.size()))
        throw StorageError("write");
}

void fill(Table& t, int count)
{
    for (int i = 0; i < count; ++i) {
        t.append();
        t.setString(puzzle::Szoveg, std::string(39, char('A' + i % 26)));
        t.setInt(puzzle::Nyelv, 1 + i % 2);
        t.setString(puzzle::Sugo1, "hint " + std::to_string(i));
        t.setString(puzzle::Sugo2, std::string(i % 90, 'x'));
        t.setInt(puzzle::Fokozat, 1 + i % 4);
        t.setInt(puzzle::Kategoria, 1 + i % 16);
        t.post();
    }
}

} // namespace

TEST(ReplaceFile, ALeftoverTemporaryFileIsRemovedNeverRenamedIntoPlace)
{
    TempFolder folder;
    const std::string target = folder.file("Brumvelda.lis");
    const std::string temporary = folder.file("Brumvelda.$$$");
    writeBytes(target, "old");
    writeBytes(temporary, "half of a crashed writer's file");
    replaceFile(
        target, temporary, [](File& file) { writeText(file, "new"); }, Messages);
    EXPECT_EQ(readBytes(target), "new");
    EXPECT_FALSE(exists(temporary));
}

TEST(ReplaceFile, AWriterWhoseTemporaryFileWasTakenOverFailsAndLeavesTheFileAlone)
{
    TempFolder folder;
    const std::string target = folder.file("Brumvelda.lis");
    const std::string temporary = folder.file("Brumvelda.$$$");
    writeBytes(target, "old");
    // Another writer (one that could not take the folder's lock) removes our file and starts its own.
    auto takenOver = [&](File& file) {
        writeText(file, "ours");
        ::unlink(temporary.c_str());
        writeBytes(temporary, "the other writer's first bytes");
    };
    EXPECT_THROW(replaceFile(target, temporary, takenOver, Messages), StorageError);
    EXPECT_EQ(readBytes(target), "old");
    EXPECT_EQ(readBytes(temporary), "the other writer's first bytes"); // not ours to remove
}

TEST(ReplaceFile, AFailedWriteRemovesItsTemporaryFileAndKeepsTheOldFile)
{
    TempFolder folder;
    const std::string target = folder.file("a.ini");
    writeBytes(target, "old");
    ::chmod(target.c_str(), 0640);
    EXPECT_THROW(replaceFile(
                     target, target + ".XXXXXX", [](File&) { throw StorageError("write"); }, Messages),
                 StorageError);
    EXPECT_EQ(readBytes(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
    replaceFile(
        target, target + ".XXXXXX", [](File& file) { writeText(file, "new"); }, Messages);
    struct stat info
    {
    };
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u); // the new file keeps the old one's permissions
}

TEST(FollowLinks, ResolvesChainsRelativeLinksAndLinksToFilesNotMadeYet)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.file("real"));
    writeBytes(folder.file("real/list.lis"), "x");
    std::filesystem::create_symlink("real/list.lis", folder.file("middle.lis"));
    std::filesystem::create_symlink(folder.file("middle.lis"), folder.file("Brumvelda.lis"));
    EXPECT_EQ(followLinks(folder.file("Brumvelda.lis")), folder.file("real/list.lis"));
    std::filesystem::create_symlink("real/new.lis", folder.file("dangling.lis"));
    EXPECT_EQ(followLinks(folder.file("dangling.lis")), folder.file("real/new.lis"));
    EXPECT_EQ(followLinks(folder.file("real/list.lis")), folder.file("real/list.lis"));
}

TEST(OpenForReading, FifosDevicesAndFoldersAreUnreadableAtOnce)
{
    TempFolder folder;
    ASSERT_EQ(::mkfifo(folder.file("fifo").c_str(), 0600), 0);
    struct Case
    {
        std::string path;
        OpenedForReading::Outcome outcome;
        std::string whyNot;
    };
    const Case cases[] = {
        {folder.file("fifo"), OpenedForReading::Outcome::Unreadable,
         "nem közönséges fájl, hanem csővezeték (FIFO)"},
        {"/dev/zero", OpenedForReading::Outcome::Unreadable, "nem közönséges fájl, hanem eszköz"},
        {folder.path(), OpenedForReading::Outcome::Unreadable, "nem fájl, hanem mappa"},
        {folder.file("missing"), OpenedForReading::Outcome::Missing, ""},
    };
    for (const Case& c : cases) {
        const OpenedForReading opened = openForReading(c.path);
        EXPECT_EQ(opened.outcome, c.outcome) << c.path;
        EXPECT_EQ(opened.whyNot, c.whyNot) << c.path;
        EXPECT_FALSE(opened.file.isOpen()) << c.path;
    }
}

TEST(FolderLock, OneHolderAtATimeAndReleasedWhenItEnds)
{
    TempFolder folder;
    auto first = std::make_unique<FolderLock>(folder.path());
    EXPECT_EQ(first->state(), FolderLock::State::Held);
    FolderLock second(folder.path() + "/");
    EXPECT_EQ(second.state(), FolderLock::State::TakenByAnother);
    first.reset();
    EXPECT_EQ(second.retry(), FolderLock::State::Held);
    EXPECT_TRUE(exists(folder.file(LockFileName)));
    FolderLock nowhere(folder.file("no such folder"));
    EXPECT_EQ(nowhere.state(), FolderLock::State::Unavailable);
}

// flock works on a descriptor opened for reading, so a lock file others may read lets them lock the player
// out: it is private, also when an earlier version left it readable.
TEST(FolderLock, TheLockFileIsPrivateToItsUser)
{
    TempFolder folder;
    const std::string lockFile = folder.file(LockFileName);
    for (bool leftReadable : {false, true}) {
        SCOPED_TRACE(leftReadable ? "left 0644 by an earlier version" : "made new");
        std::filesystem::remove(lockFile);
        if (leftReadable) {
            writeBytes(lockFile, "");
            ASSERT_EQ(::chmod(lockFile.c_str(), 0644), 0);
        }
        const mode_t mask = ::umask(0);
        FolderLock lock(folder.path());
        ::umask(mask);
        ASSERT_EQ(lock.state(), FolderLock::State::Held);
        struct stat info
        {
        };
        ASSERT_EQ(::stat(lockFile.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0600u);
    }
}

// Whatever stands under the lock file's name and cannot be taken stops a writer, naming the file: waving it
// through would let two writers into one folder.
TEST(FolderLock, ALockFileThatCannotBeTakenRefusesAndSaysWhichFile)
{
    struct Row
    {
        const char* what;
        std::function<void(const std::string&)> make;
    };
    const Row rows[] = {
        {"a dangling link",
         [](const std::string& path) { ASSERT_EQ(::symlink("nowhere", path.c_str()), 0); }},
        {"a link to a file elsewhere",
         [](const std::string& path) { ASSERT_EQ(::symlink("/dev/null", path.c_str()), 0); }},
        {"a folder", [](const std::string& path) { ASSERT_EQ(::mkdir(path.c_str(), 0700), 0); }},
        {"a FIFO", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempFolder folder;
        row.make(folder.file(LockFileName));
        FolderLock lock(folder.path());
        EXPECT_EQ(lock.state(), FolderLock::State::Refused);
        EXPECT_NE(lock.refusal().find(folder.file(LockFileName)), std::string::npos) << lock.refusal();
        EXPECT_EQ(lock.retry(), FolderLock::State::Refused);
        PathLocks locks(folder.file("Brumvelda.lis"));
        EXPECT_EQ(locks.state(), FolderLock::State::Refused);
        EXPECT_EQ(locks.problem(), lock.refusal());
    }
}

TEST(FolderLock, ANoteIsReadOnlyFromTheHoldersOwnLockFile)
{
    TempFolder folder;
    EXPECT_EQ(FolderLock::readNote(folder.path()), "");
    {
        FolderLock lock(folder.path());
        ASSERT_TRUE(lock.publish("brumvelda-0123\nrest"));
        EXPECT_EQ(FolderLock::readNote(folder.path() + "/"), "brumvelda-0123");
        ASSERT_TRUE(lock.publish("shorter"));
        EXPECT_EQ(FolderLock::readNote(folder.path()), "shorter");
        FolderLock second(folder.path());
        EXPECT_FALSE(second.publish("taken"));
    }
    // Through a link named as the lock file nothing is read.
    TempFolder other;
    writeBytes(other.file("secret"), "brumvelda-secret\n");
    std::filesystem::remove(folder.file(LockFileName));
    ASSERT_EQ(::symlink(other.file("secret").c_str(), folder.file(LockFileName).c_str()), 0);
    EXPECT_EQ(FolderLock::readNote(folder.path()), "");
}

// A game uses its list through a link: the folder of the link and of its target are both locked, so a writer
// that reaches the file by either path is stopped.
TEST(FolderLock, PathLocksTakeEveryFolderALinkPassesThrough)
{
    TempFolder game, elsewhere;
    writeBytes(elsewhere.file("real.lis"), "");
    ASSERT_EQ(::symlink(elsewhere.file("real.lis").c_str(), game.file("Brumvelda.lis").c_str()), 0);
    auto gameLocks = std::make_unique<PathLocks>(game.file("Brumvelda.lis"));
    ASSERT_EQ(gameLocks->state(), FolderLock::State::Held);
    EXPECT_TRUE(exists(elsewhere.file(LockFileName)));

    PathLocks direct(elsewhere.file("real.lis"));
    EXPECT_EQ(direct.state(), FolderLock::State::TakenByAnother);
    EXPECT_EQ(direct.problem(), elsewhere.path());
    PathLocks throughTheLink(game.file("Brumvelda.lis"));
    EXPECT_EQ(throughTheLink.state(), FolderLock::State::TakenByAnother);
    gameLocks.reset();
    EXPECT_EQ(direct.retry(), FolderLock::State::Held);

    // A folder this process holds already is left out, not locked a second time (which would block).
    FolderLock held(game.path());
    PathLocks beside(game.file("Brumvelda.jat"), {game.path() + "/"});
    EXPECT_EQ(beside.state(), FolderLock::State::Held);
}

// The kernel follows a link in a shared sticky folder (/tmp) only for its owner or the folder's; the game's
// own link following keeps that rule, so another user's planted link is replaced, never written through.
TEST(FileLinks, AnotherUsersLinkInASharedStickyFolderIsNotFollowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give a link to another user";
    TempFolder shared, target;
    ASSERT_EQ(::chmod(shared.path().c_str(), 01777), 0);
    const std::string link = shared.file("Brumvelda.ini");
    ASSERT_EQ(::symlink(target.file("private").c_str(), link.c_str()), 0);
    EXPECT_EQ(followLinks(link), target.file("private")); // our own link
    ASSERT_EQ(::lchown(link.c_str(), 65534, 65534), 0);
    EXPECT_EQ(followLinks(link), link);
    EXPECT_EQ(linkChain(link), std::vector<std::string> {link});
    ASSERT_EQ(::chmod(shared.path().c_str(), 0755), 0); // not shared: links are followed as before
    EXPECT_EQ(followLinks(link), target.file("private"));
}

TEST(SettingsLeftovers, OnlyTheKilledSavesOwnTemporariesAreRemoved)
{
    TempFolder folder;
    const std::string settings = folder.file("Brumvelda.ini");
    writeBytes(settings, "[Last]\n");
    for (const char* name : {"Brumvelda.ini.a1B2c3", "Brumvelda.ini.ZZZZZZ", "Brumvelda.ini.bak",
                             "Brumvelda.ini.1234567", "Brumvelda.ini.ab-def", "Brumvelda.lis.a1B2c3"})
        writeBytes(folder.file(name), "x");
    ASSERT_EQ(::mkdir(folder.file("Brumvelda.ini.folder").c_str(), 0700), 0);
    removeLeftoverTemporaries(settings);
    EXPECT_FALSE(exists(folder.file("Brumvelda.ini.a1B2c3")));
    EXPECT_FALSE(exists(folder.file("Brumvelda.ini.ZZZZZZ")));
    for (const char* kept : {"Brumvelda.ini", "Brumvelda.ini.bak", "Brumvelda.ini.1234567",
                             "Brumvelda.ini.ab-def", "Brumvelda.lis.a1B2c3", "Brumvelda.ini.folder"})
        EXPECT_TRUE(exists(folder.file(kept))) << kept;
}

TEST(SaveFailure, NamesTheFileAndSaysTheOldOneIsKept)
{
    EXPECT_EQ(saveFailure("Stream write error", "/x/Brumvelda.jat"),
              "Stream write error: /x/Brumvelda.jat. A fájl korábbi változata változatlanul megmaradt");
    const std::string refused = formatMessage(NotSavedReadOnly, "/x/Brumvelda.lis");
    EXPECT_EQ(saveFailure(refused, "/x/Brumvelda.lis"), refused);
}

TEST(TableFileSafety, AnUnreadableFileIsNeverReplaced)
{
    TempFolder folder;
    const std::string path = folder.file("Brumvelda.lis");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    Table t(puzzleColumns());
    t.setFilePath(path);
    try {
        t.open();
        FAIL() << "a FIFO opened as a table";
    } catch (const StorageError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open file " + path + ": nem közönséges fájl, hanem csővezeték (FIFO)");
    }
    EXPECT_TRUE(t.loadFailed());
    fill(t, 1);
    const SaveOutcome closed = t.close();
    EXPECT_FALSE(closed.ok()) << "the table was saved over a FIFO";
    EXPECT_EQ(closed.error, formatMessage(NotSavedUnreadable, path));
    EXPECT_EQ(closed.reason, formatMessage(NotSavedUnreadable, path));
    EXPECT_FALSE(t.isOpen());
    struct stat info
    {
    };
    ASSERT_EQ(::lstat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_FALSE(exists(path + ".bak"));
}

TEST(TableFileSafety, SavingThroughALinkWritesItsTargetAndKeepsTheLink)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.file("real"));
    const std::string link = folder.file("Brumvelda.lis");
    std::filesystem::create_symlink("real/list.lis", link);
    {
        Table t(puzzleColumns());
        t.setFilePath(link);
        t.open(); // a link to a file not made yet opens empty, like a missing file
        fill(t, 3);
        ASSERT_TRUE(t.close().ok());
    }
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    Table back(puzzleColumns());
    back.setFilePath(folder.file("real/list.lis"));
    back.open();
    EXPECT_EQ(back.recordCount(), 3);
    back.closeWithoutSaving();
    EXPECT_FALSE(exists(folder.file("real/list.$$$")));
    EXPECT_FALSE(exists(folder.file("Brumvelda.$$$")));
}

TEST(TableFileSafety, BytesAfterTheListAreNeitherReadNorReservedFor)
{
    TempFolder folder;
    const std::string path = folder.file("Brumvelda.lis");
    {
        Table t(puzzleColumns());
        t.setFilePath(path);
        t.open();
        fill(t, 5);
        ASSERT_TRUE(t.close().ok());
    }
    // 200 MB, sparse: the loader once reserved memory by the file's size and failed.
    ASSERT_EQ(::truncate(path.c_str(), 200LL << 20), 0);
    Table t(puzzleColumns());
    t.setFilePath(path);
    ASSERT_NO_THROW(t.open());
    EXPECT_EQ(t.recordCount(), 5);
    EXPECT_FALSE(t.loadFailed());
    t.closeWithoutSaving();
}

// A hostile size (a sparse file of gigabytes) is refused before it is read, and as an unreadable file it is
// never replaced and gets no backup; the register's own limit is far lower than the list's.
TEST(TableFileSafety, ATableAboveItsSizeLimitIsRefusedUnreadAndKept)
{
    struct Row
    {
        const char* name;
        bool isRegister;
        long long size;
        bool refused;
    };
    for (const Row& row :
         {Row {"Brumvelda.lis", false, 300LL << 20, true}, Row {"Brumvelda.lis", false, 60LL << 30, true},
          Row {"Brumvelda.jat", true, 9LL << 20, true}, Row {"Brumvelda.jat", true, 7LL << 20, false}}) {
        SCOPED_TRACE(std::string(row.name) + " of " + std::to_string(row.size >> 20) + " MB");
        TempFolder folder;
        const std::string path = folder.file(row.name);
        auto make = [&] {
            auto t = std::make_unique<Table>(row.isRegister ? playerColumns() : puzzleColumns());
            if (row.isRegister)
                configurePlayerRegister(*t);
            t->setFilePath(path);
            return t;
        };
        {
            auto t = make();
            t->open();
            ASSERT_TRUE(t->close().ok());
        }
        ASSERT_EQ(::truncate(path.c_str(), row.size), 0);
        auto t = make();
        if (!row.refused) {
            EXPECT_NO_THROW(t->open());
            t->closeWithoutSaving();
            continue;
        }
        try {
            t->open();
            ADD_FAILURE() << "opened";
        } catch (const StorageError& e) {
            EXPECT_NE(std::string(e.what()).find("túl nagy"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
        EXPECT_TRUE(t->loadFailed());
        EXPECT_EQ(t->close().error, formatMessage(NotSavedUnreadable, path));
        struct stat info
        {
        };
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_size, row.size);
        EXPECT_FALSE(exists(path + ".bak"));
    }
}

// More than the loader's first buffer (256 KB) of records: the reader refills it mid-record and mid-string.
TEST(TableFileSafety, ATableLargerThanTheFirstBufferReadsBackWhole)
{
    TempFolder folder;
    const std::string path = folder.file("Brumvelda.lis");
    {
        Table t(puzzleColumns());
        t.setFilePath(path);
        t.open();
        fill(t, 4000);
        ASSERT_TRUE(t.close().ok());
    }
    ASSERT_GT(std::filesystem::file_size(path), 256u * 1024u);
    Table t(puzzleColumns());
    t.setFilePath(path);
    t.open();
    ASSERT_EQ(t.recordCount(), 4000);
    for (int i : {0, 1234, 2999, 3999}) {
        EXPECT_EQ(t.stringAt(i, puzzle::Sugo1), "hint " + std::to_string(i));
        EXPECT_EQ(t.stringAt(i, puzzle::Sugo2), std::string(i % 90, 'x'));
        EXPECT_EQ(t.intAt(i, puzzle::Kategoria), 1 + i % 16);
    }
    t.closeWithoutSaving();
}

#if defined(__SANITIZE_ADDRESS__)
#define BRUMVELDA_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRUMVELDA_SANITIZED 1
#endif
#endif

// Running out of memory while loading is a failed load like damage: the file is kept under a backup name
// before the save, and the save writes what could be read. The child process loads under an address-space
// limit a little above what it uses already, so the memory runs out for real.
TEST(TableFileSafety, RunningOutOfMemoryWhileLoadingIsAFailedLoadAndTheFileIsKept)
{
#ifdef BRUMVELDA_SANITIZED
    GTEST_SKIP() << "the sanitizers reserve more address space than any limit leaves";
#else
    TempFolder folder;
    const std::string path = folder.file("Brumvelda.lis");
    {
        Table t(puzzleColumns());
        t.setFilePath(path);
        t.open();
        fill(t, 200000);
        ASSERT_TRUE(t.close().ok());
    }
    const std::string original = readBytes(path);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int status = 1;
        try {
            long pages = 0;
            std::ifstream("/proc/self/statm") >> pages;
            rlimit limit {};
            ::getrlimit(RLIMIT_AS, &limit);
            const rlim_t unlimited = limit.rlim_cur;
            limit.rlim_cur = rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + (4u << 20);
            ::setrlimit(RLIMIT_AS, &limit);
            Table t(puzzleColumns());
            t.setFilePath(path);
            bool outOfMemory = false;
            try {
                t.open();
            } catch (const StorageError& e) {
                outOfMemory = std::string(e.what()) == "Out of memory";
            }
            limit.rlim_cur = unlimited;
            ::setrlimit(RLIMIT_AS, &limit);
            if (outOfMemory && t.loadFailed()) {
                const SaveOutcome closed = t.close();
                status = !closed.ok() ? 4 : closed.keptBackup.empty() ? 3 : 0;
            } else {
                status = 2;
            }
        } catch (...) {
            status = 4;
        }
        ::_exit(status);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: the load did not fail as out of memory, 3: no backup, 4: error";
    EXPECT_EQ(readBytes(path + ".bak"), original);
#endif
}
#endif
