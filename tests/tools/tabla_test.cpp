#include "tool_runner.h"

#include "storage/folder_lock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

using storage::testing::readBytes;
using storage::testing::TempFolder;
using storage::testing::writeBytes;
using tabla::testing::runTool;

namespace {

std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out += char(v);
    return out;
}

// One puzzle: middle row "SZELES UT", language 1, hint "Nem keskeny", level 2, category 2.
std::string szelesUtList()
{
    return bytes({0x54, 0x50, 0x46, 0x30, 0x03, 0xFB, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x01, 0x02, 0x00,
                  0x08, 0x06, 0x27})
        + std::string(13, ' ') + "  SZELES UT  " + std::string(13, ' ')
        + bytes({0x08, 0x02, 0x01, 0x08, 0x06, 0x0B}) + "Nem keskeny"
        + bytes({0x08, 0x06, 0x00, 0x08, 0x02, 0x02, 0x08, 0x02, 0x02, 0x00, 0x00});
}

// One player: Anna, 150 points over 3 rounds (average 50).
std::string annaRegister()
{
    return bytes({0x54, 0x50, 0x46, 0x30, 0x03, 0xFB, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01,
                  0x01, 0x02, 0x00, 0x08, 0x06, 0x04, 0x41, 0x6E, 0x6E, 0x61, 0x08, 0x03,
                  0x96, 0x00, 0x08, 0x02, 0x03, 0x08, 0x02, 0x32, 0x00, 0x00});
}

// Files left in the folder; the lock file a writer takes stays and is no file of the tables.
int entriesIn(const TempFolder& folder)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        count += entry.path().filename() != storage::LockFileName;
    return count;
}

} // namespace

TEST(TablaUsage, BadCommandLinesExitWithTwo)
{
    TempFolder folder;
    for (const char* arguments :
         {"", "list a.lis", "check", "dump a.lis b.lis", "check a.txt", "import a", "check lis", "shuffle",
          "shuffle --seed", "shuffle --seed x a.lis", "shuffle --seed 4294967296 a.lis",
          "shuffle a.lis b.lis", "check --seed 1 a.lis"}) {
        auto run = runTool(folder, arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_EQ(run.err.rfind("brumvelda-tabla: ", 0), 0u) << arguments << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << arguments;
    }
    EXPECT_EQ(entriesIn(folder), 0);
}

TEST(TablaUsage, HelpIsHungarianAndNamesEveryCommand)
{
    TempFolder folder;
    auto run = runTool(folder, "--help");
    EXPECT_EQ(run.exitCode, 0);
    for (const char* word :
         {"Használat", "check", "dump", "import", "shuffle", ".lis", ".jat", "Szoveg", "\\N"})
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
}

TEST(TablaCheck, PrintsTheRecordCount)
{
    TempFolder folder;
    writeBytes(folder.file("Brumvelda.lis"), szelesUtList());
    writeBytes(folder.file("Brumvelda.jat"), annaRegister());
    writeBytes(folder.file("ures.LIS"),
               bytes({0x54, 0x50, 0x46, 0x30, 0x03, 0xFB, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00}));
    EXPECT_EQ(runTool(folder, "check Brumvelda.lis").out, "1\n");
    EXPECT_EQ(runTool(folder, "check Brumvelda.jat").out, "1\n");
    auto empty = runTool(folder, "check ures.LIS");
    EXPECT_EQ(empty.out, "0\n");
    EXPECT_EQ(empty.exitCode, 0);
}

TEST(TablaCheck, DamagedFileIsReportedAndLeftAlone)
{
    TempFolder folder;
    const std::string damaged = szelesUtList().substr(0, 40);
    writeBytes(folder.file("Brumvelda.lis"), damaged);
    for (const char* command : {"check", "dump"}) {
        auto run = runTool(folder, std::string(command) + " Brumvelda.lis");
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_EQ(run.err, "brumvelda-tabla: Brumvelda.lis: Stream read error\n") << command;
        EXPECT_TRUE(run.out.empty()) << command;
    }
    writeBytes(folder.file("rossz.jat"), "TPFX");
    EXPECT_EQ(runTool(folder, "check rossz.jat").err, "brumvelda-tabla: rossz.jat: Invalid stream format\n");
    // Looking at a file never rewrites it nor leaves a backup beside it.
    EXPECT_EQ(readBytes(folder.file("Brumvelda.lis")), damaged);
    EXPECT_EQ(entriesIn(folder), 2);
}

TEST(TablaCheck, MissingFileIsAnError)
{
    TempFolder folder;
    auto run = runTool(folder, "check nincs.lis");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.rfind("brumvelda-tabla: nincs.lis: ", 0), 0u);
    EXPECT_EQ(entriesIn(folder), 0);
}

TEST(TablaDump, PuzzleListInFileOrder)
{
    TempFolder folder;
    writeBytes(folder.file("Brumvelda.lis"), szelesUtList());
    auto run = runTool(folder, "dump Brumvelda.lis");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "Szoveg\tNyelv\tSugo1\tSugo2\tFokozat\tKategoria\n" + std::string(15, ' ') + "SZELES UT"
                  + std::string(15, ' ') + "\t1\tNem keskeny\t\t2\t2\n");
    EXPECT_EQ(readBytes(folder.file("Brumvelda.lis")), szelesUtList());
}

TEST(TablaDump, RegisterWithComputedAverage)
{
    TempFolder folder;
    writeBytes(folder.file("Brumvelda.jat"), annaRegister());
    EXPECT_EQ(runTool(folder, "dump Brumvelda.jat").out,
              "Nev\tOsszPont\tJatszott\tAtlag\nAnna\t150\t3\t50\n");
}

TEST(TablaDump, NullsEscapesAndWindows1250TextAreWrittenAsUtf8)
{
    TempFolder folder;
    // Old-style record (version 251 with null flags): name "K\xF6\tb\\", total null, rounds 2.
    writeBytes(folder.file("x.jat"), bytes({0x54, 0x50, 0x46, 0x30, 0x03, 0xFB, 0x00, 0x01, 0x00, 0x01, 0x00,
                                            0x01, 0x01, 0x02, 0x00, 0x08, 0x06, 0x06, 'K',  0xF6, '\t', 'b',
                                            '\\', '\n', 0x09, 0x08, 0x02, 0x02, 0x09, 0x00, 0x00}));
    auto run = runTool(folder, "dump x.jat");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Nev\tOsszPont\tJatszott\tAtlag\nK\xC3\xB6\\tb\\\\\\n\t\\N\t2\t0\n");
}

// A list of 32 puzzles in two category blocks of 16 (Hungarian, level 1), as a file sorted by category is.
std::string twoBlockPack()
{
    std::string tsv = "Szoveg\tNyelv\tFokozat\tKategoria\n";
    for (int category = 1; category <= 2; ++category)
        for (int i = 0; i < 16; ++i)
            tsv += "KATEGORIA " + std::string(1, char('A' + category)) + " " + std::string(1, char('A' + i))
                + "\t1\t1\t" + std::to_string(category) + "\n";
    return tsv;
}

TEST(TablaShuffle, SpreadsTheBlocksKeepingEveryRecordAndRepeatsForTheSameSeed)
{
    TempFolder folder;
    ASSERT_EQ(runTool(folder, "import a.lis", twoBlockPack()).exitCode, 0);
    const std::string before = runTool(folder, "dump a.lis").out;

    auto run = runTool(folder, "shuffle --seed 5 a.lis");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "32\n");
    const std::string after = runTool(folder, "dump a.lis").out;
    EXPECT_NE(after, before);

    auto sortedLines = [](const std::string& text) {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        std::sort(lines.begin(), lines.end());
        return lines;
    };
    EXPECT_EQ(sortedLines(after), sortedLines(before));

    // The two categories now alternate: no run of one category longer than two.
    int runLength = 0, longest = 0;
    char last = 0;
    std::istringstream lines(after);
    std::string line;
    std::getline(lines, line); // header
    while (std::getline(lines, line)) {
        const char category = line.back();
        runLength = category == last ? runLength + 1 : 1;
        longest = std::max(longest, runLength);
        last = category;
    }
    EXPECT_LE(longest, 2) << after;

    ASSERT_EQ(runTool(folder, "import b.lis", twoBlockPack()).exitCode, 0);
    ASSERT_EQ(runTool(folder, "shuffle --seed 5 b.lis").exitCode, 0);
    EXPECT_EQ(readBytes(folder.file("b.lis")), readBytes(folder.file("a.lis")));
}

TEST(TablaShuffle, RefusesWhatItCannotShuffleAndLeavesTheFileAlone)
{
    TempFolder folder;
    const std::string damaged = szelesUtList().substr(0, 40);
    writeBytes(folder.file("rossz.lis"), damaged);
    writeBytes(folder.file("Brumvelda.jat"), annaRegister());
    struct Row
    {
        const char* arguments;
        const char* error;
    } rows[] = {
        {"shuffle rossz.lis", "brumvelda-tabla: rossz.lis: Stream read error\n"},
        {"shuffle Brumvelda.jat",
         "brumvelda-tabla: Brumvelda.jat: csak feladványlistát (.lis) lehet keverni\n"},
        {"shuffle nincs.lis", "brumvelda-tabla: nincs.lis: nincs ilyen fájl\n"},
    };
    for (const Row& row : rows) {
        auto run = runTool(folder, row.arguments);
        EXPECT_EQ(run.exitCode, 1) << row.arguments;
        EXPECT_EQ(run.err, row.error) << row.arguments;
    }
    EXPECT_EQ(readBytes(folder.file("rossz.lis")), damaged);
    EXPECT_EQ(readBytes(folder.file("Brumvelda.jat")), annaRegister());
    // No backup, no temporary: only the folder's lock file, which a writer leaves for the next one.
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_TRUE(entry.path().filename() == "rossz.lis" || entry.path().filename() == "Brumvelda.jat"
                    || entry.path().filename() == "Brumvelda.lock")
            << entry.path();
}
