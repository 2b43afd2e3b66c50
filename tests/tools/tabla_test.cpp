#include "tool_runner.h"

#include <gtest/gtest.h>

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

int entriesIn(const TempFolder& folder)
{
    return int(std::distance(std::filesystem::directory_iterator(folder.path()),
                             std::filesystem::directory_iterator()));
}

} // namespace

TEST(TablaUsage, BadCommandLinesExitWithTwo)
{
    TempFolder folder;
    for (const char* arguments :
         {"", "list a.lis", "check", "dump a.lis b.lis", "check a.txt", "import a", "check lis"}) {
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
    for (const char* word : {"Használat", "check", "dump", "import", ".lis", ".jat", "Szoveg", "\\N"})
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
