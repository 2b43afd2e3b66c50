// The file steps a save relies on, on every platform: the old file survives every failure, a taken name is
// never overwritten, and a path holds any letter.
#include "platform/file.h"
#include "platform/program_folders.h"
#include "storage/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#ifdef _WIN32
#include "platform/windows_text.h"
#include <windows.h>
#endif

using namespace platform;
using storage::testing::fsPath;
using storage::testing::readBytes;
using storage::testing::TempFolder;
using storage::testing::writeBytes;

namespace {

std::size_t entriesIn(const std::string& folder)
{
    const std::filesystem::directory_iterator entries(fsPath(folder));
    return std::size_t(std::distance(begin(entries), end(entries)));
}

auto writing(const std::string& text)
{
    return [text](File& file) {
        if (!file.writeAll(text.data(), text.size()))
            throw std::runtime_error("write");
    };
}

} // namespace

TEST(PlatformReplaceFile, ReplacesTheFileAndLeavesNoTemporaryOne)
{
    TempFolder folder;
    const std::string target = folder.file("Brumvelda.lis");
    struct Case
    {
        std::string temporary;
        const char* leftover; // a crashed writer's file under the temporary name, or none
    };
    const Case cases[] = {
        {folder.file("Brumvelda.$$$"), nullptr},
        {folder.file("Brumvelda.$$$"), "half of a crashed writer's file"},
        {target + ".XXXXXX", nullptr},
    };
    for (const Case& c : cases) {
        writeBytes(target, "old");
        if (c.leftover)
            writeBytes(c.temporary, c.leftover);
        EXPECT_EQ(replaceFile(target, c.temporary, writing("new")), Replaced::Done) << c.temporary;
        EXPECT_EQ(readBytes(target), "new") << c.temporary;
        EXPECT_EQ(entriesIn(folder.path()), 1u) << c.temporary;
    }
}

TEST(PlatformReplaceFile, AFailedWriteKeepsTheOldFile)
{
    TempFolder folder;
    const std::string target = folder.file("Brumvelda.jat");
    writeBytes(target, "old");
    for (const std::string& temporary : {folder.file("Brumvelda.$$$"), target + ".XXXXXX"}) {
        auto failing = [](File& file) {
            file.writeAll("par", 3);
            throw std::runtime_error("disk full");
        };
        EXPECT_THROW(replaceFile(target, temporary, failing), std::runtime_error);
        EXPECT_EQ(readBytes(target), "old");
        EXPECT_EQ(entriesIn(folder.path()), 1u) << "the half-written file is removed";
    }
    // A temporary file that cannot be made: nothing is written anywhere.
    EXPECT_EQ(replaceFile(target, folder.file("missing/Brumvelda.$$$"), writing("new")),
              Replaced::CannotCreate);
    EXPECT_EQ(readBytes(target), "old");
}

TEST(PlatformFile, ATakenNameIsNeverOverwritten)
{
    TempFolder folder;
    const std::string taken = folder.file("taken");
    writeBytes(taken, "theirs");

    bool nameTaken = false;
    EXPECT_FALSE(createNewFile(taken, nameTaken).isOpen());
    EXPECT_TRUE(nameTaken);
    File made = createNewFile(folder.file("new"), nameTaken);
    EXPECT_TRUE(made.isOpen());
    EXPECT_FALSE(nameTaken);

    EXPECT_EQ(hardLink(taken, folder.file("second")), LinkResult::Made);
    EXPECT_EQ(readBytes(folder.file("second")), "theirs");
    EXPECT_EQ(hardLink(taken, folder.file("second")), LinkResult::NameTaken);
    EXPECT_EQ(hardLink(folder.file("gone"), folder.file("third")), LinkResult::SourceMissing);

    OpenedForReading pack = openForReading(taken);
    ASSERT_EQ(pack.outcome, OpenedForReading::Outcome::Opened);
    std::string reason;
    EXPECT_EQ(copyToNewName(pack.file, folder.file("second"), reason), Copied::NameTaken);
    EXPECT_EQ(readBytes(folder.file("new")), "");
    EXPECT_EQ(entriesIn(folder.path()), 3u) << "no temporary file is left";
}

TEST(PlatformOpenForReading, OnlyRegularFilesAreRead)
{
    TempFolder folder;
    writeBytes(folder.file("list"), "12345");
    OpenedForReading opened = openForReading(folder.file("list"));
    ASSERT_EQ(opened.outcome, OpenedForReading::Outcome::Opened);
    EXPECT_EQ(opened.size, 5u);
    char bytes[16] = {};
    EXPECT_EQ(opened.file.readAll(bytes, sizeof bytes), 5);

    struct Case
    {
        std::string path;
        OpenedForReading::Outcome outcome;
        std::string whyNot;
    };
    const Case cases[] = {
        {folder.path(), OpenedForReading::Outcome::Unreadable, "nem fájl, hanem mappa"},
        {folder.file("missing"), OpenedForReading::Outcome::Missing, ""},
        {folder.file("missing/list"), OpenedForReading::Outcome::Missing, ""},
#ifdef _WIN32
        {"NUL", OpenedForReading::Outcome::Unreadable, "nem közönséges fájl, hanem eszköz"},
#else
        {"/dev/null", OpenedForReading::Outcome::Unreadable, "nem közönséges fájl, hanem eszköz"},
#endif
    };
    for (const Case& c : cases) {
        const OpenedForReading refused = openForReading(c.path);
        EXPECT_EQ(refused.outcome, c.outcome) << c.path;
        EXPECT_EQ(refused.whyNot, c.whyNot) << c.path;
        EXPECT_FALSE(refused.file.isOpen()) << c.path;
    }
}

// A user named "Ödön" keeps the game's files under a folder of that name: every step takes it.
TEST(PlatformFile, APathWithHungarianLettersWorksThroughEveryStep)
{
    TempFolder temporary;
    const std::string folder = temporary.file("Ödön/Brumvelda/");
    ASSERT_EQ(makeFolders(folder), "");
    const std::string settings = folder + "Brumvelda.ini";
    ASSERT_EQ(replaceFile(settings, settings + ".XXXXXX", writing("[Jatek]\n")), Replaced::Done);

    // The name on the disk is the letters themselves (on Windows in UTF-16), as any other program sees them.
    const std::filesystem::directory_iterator entries(fsPath(temporary.path()));
    ASSERT_EQ(std::distance(begin(entries), end(entries)), 1);
    EXPECT_TRUE(std::filesystem::directory_iterator(fsPath(temporary.path()))->path().filename().u8string()
                == u8"Ödön");
    EXPECT_TRUE(exists(settings));
    EXPECT_TRUE(isRegularFile(settings));
    EXPECT_FALSE(existsReadOnly(settings));
    EXPECT_EQ(ownFilesIn(folder), std::vector<std::string> {"Brumvelda.ini"});
    OpenedForReading opened = openForReading(settings);
    ASSERT_EQ(opened.outcome, OpenedForReading::Outcome::Opened);
    EXPECT_EQ(opened.size, 8u);

    std::string reason;
    EXPECT_EQ(copyToNewName(opened.file, folder + "Ödön.ini", reason), Copied::Done) << reason;
    EXPECT_EQ(readBytes(folder + "Ödön.ini"), "[Jatek]\n");
    EXPECT_TRUE(removeFile(folder + "Ödön.ini"));
    EXPECT_FALSE(nameInUse(folder + "Ödön.ini"));
}

#ifdef _WIN32
TEST(PlatformWindows, TheReadOnlyAttributeKeepsAFileFromBeingReplaced)
{
    TempFolder folder;
    const std::string file = folder.file("Brumvelda.lis");
    writeBytes(file, "old");
    ASSERT_TRUE(::SetFileAttributesW(windows::widen(file).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(existsReadOnly(file));
    EXPECT_EQ(replaceFile(file, folder.file("Brumvelda.$$$"), writing("new")), Replaced::CannotRename);
    EXPECT_EQ(readBytes(file), "old");
    ::SetFileAttributesW(windows::widen(file).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(existsReadOnly(file));
}

TEST(PlatformWindows, UnicodeTextCrossesTheEdgeBothWays)
{
    EXPECT_EQ(windows::widen("Ödön"), L"\u00D6d\u00F6n");
    EXPECT_EQ(windows::narrow(L"\u0150r\u0171r"), "Őrűr");
    EXPECT_EQ(windows::narrow(windows::widen("")), "");
}
#endif
