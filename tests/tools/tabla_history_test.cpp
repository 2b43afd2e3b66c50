// The round history (.tor) in the table tool: times on the local clock as text, the rules of a round's
// fields, and a dump that imports back to the same file.
#include "tool_runner.h"

#include "storage/schemas.h"

#include <gtest/gtest.h>

using storage::testing::exists;
using storage::testing::readBytes;
using storage::testing::TempFolder;
using tabla::testing::runTool;

namespace {

const std::string HistoryHeader
    = "Nev\tIdopont\tSzoveg\tNyelv\tFokozat\tKategoria\tKimenet\tPont\tHibak\tSugo\tNapi\n";
const std::string Blank(13, ' ');

// The Idopont column of the file as the game reads it.
std::vector<int32_t> storedTimes(const std::string& path)
{
    storage::Table history(storage::historyColumns());
    history.setFilePath(path);
    history.open();
    std::vector<int32_t> times;
    for (int i = 0; i < history.recordCount(); ++i)
        times.push_back(history.intAt(i, storage::history::Idopont));
    history.closeWithoutSaving();
    return times;
}

} // namespace

TEST(TablaHistory, TimesAreLocalClockTextAndTheDumpImportsBackByteForByte)
{
    TempFolder folder;
    auto run = runTool(folder, "import Brumvelda.tor",
                       HistoryHeader + "Anna\t2024-03-15 18:05\tszeles ut\t1\t2\t3\t1\t45\t2\t0\t1\n"
                           + "\xC3\x81rp\xC3\xA1\x64\t1969-12-31 23:59\tkert\t2\t1\t16\t4\t-5\t0\t1\t0\n"
                           + "Bea\t1970-01-02 00:01\tALMA\t1\t4\t1\t3\t0\t10\t0\t0\n"
                           + "Bea\t2000-02-29 00:00\tfa\t1\t1\t1\t2\t-20\t10\t0\t0\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "4\n");
    // 2024-03-15 is day 19797; the day before 1970 counts back from 0.
    EXPECT_EQ(storedTimes(folder.file("Brumvelda.tor")),
              (std::vector<int32_t> {19797 * 1440 + 18 * 60 + 5, -1, 1441, 11016 * 1440}));

    const auto dump = runTool(folder, "dump Brumvelda.tor");
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_EQ(dump.out.substr(0, HistoryHeader.size()), HistoryHeader)
        << "the rounds in the order they ended";
    EXPECT_NE(dump.out.find("Anna\t2024-03-15 18:05\t" + Blank + "  SZELES UT  " + Blank
                            + "\t1\t2\t3\t1\t45\t2\t0\t1\n"),
              std::string::npos)
        << dump.out;
    EXPECT_NE(dump.out.find("\t1969-12-31 23:59\t"), std::string::npos);
    EXPECT_NE(dump.out.find("\t2000-02-29 00:00\t"), std::string::npos);

    ASSERT_EQ(runTool(folder, "import b.TOR", dump.out).exitCode, 0);
    EXPECT_EQ(readBytes(folder.file("b.TOR")), readBytes(folder.file("Brumvelda.tor")));
    EXPECT_EQ(runTool(folder, "check b.TOR").out, "4\n");
}

TEST(TablaHistory, FiguresLeftOutAreZero)
{
    TempFolder folder;
    ASSERT_EQ(runTool(folder, "import a.tor",
                      "Kimenet\tNev\tIdopont\tSzoveg\tNyelv\tFokozat\tKategoria\n2\tAnna\t2024-01-01 "
                      "09:30\tALMA\t1\t1\t1\n")
                  .exitCode,
              0);
    const std::string dump = runTool(folder, "dump a.tor").out;
    EXPECT_NE(dump.find("\t1\t1\t1\t2\t0\t0\t0\t0\n"), std::string::npos) << dump;
}

TEST(TablaHistory, BadRoundsNameTheirLineAndLeaveNoFile)
{
    struct Case
    {
        const char* fields; // after the name
        const char* message;
    };
    const Case cases[] = {
        {"2024-02-30 10:00\tALMA\t1\t1\t1\t1\t0\t0\t0\t0", "Idopont: "},
        {"2023-02-29 10:00\tALMA\t1\t1\t1\t1\t0\t0\t0\t0", "Idopont: "},
        {"2024-3-15 18:05\tALMA\t1\t1\t1\t1\t0\t0\t0\t0", "Idopont: "},
        {"2024-03-15 24:00\tALMA\t1\t1\t1\t1\t0\t0\t0\t0", "Idopont: "},
        {"6054-01-01 00:00\tALMA\t1\t1\t1\t1\t0\t0\t0\t0", "Idopont: "}, // past the 32 bits
        {"28508765\tALMA\t1\t1\t1\t1\t0\t0\t0\t0", "Idopont: "}, // minutes are no time
        {"2024-03-15 18:05\tALMA\t1\t1\t1\t5\t0\t0\t0\t0", "Kimenet: 1 és 4"},
        {"2024-03-15 18:05\tALMA\t1\t1\t1\t1\tsok\t0\t0\t0", "Pont: "},
        {"2024-03-15 18:05\tALMA\t1\t1\t1\t1\t0\t-1\t0\t0", "Hibak: "},
        {"2024-03-15 18:05\tALMA\t1\t1\t1\t1\t0\t0\t2\t0", "Sugo: 0 és 1"},
        {"2024-03-15 18:05\tALMA\t1\t1\t1\t1\t0\t0\t0\t-1", "Napi: 0 és 1"},
        {"2024-03-15 18:05\t123\t1\t1\t1\t1\t0\t0\t0\t0", "Szoveg: "},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fields);
        const auto run = runTool(
            folder, "import a.tor",
            HistoryHeader + "Anna\t2024-03-15 18:05\tALMA\t1\t1\t1\t1\t0\t0\t0\t0\nAnna\t" + c.fields + "\n");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err.rfind(std::string("brumvelda-tabla: <stdin>:3: ") + c.message, 0), 0u) << run.err;
        EXPECT_FALSE(exists(folder.file("a.tor")));
    }
    const auto missing = runTool(folder, "import a.tor", "Nev\tSzoveg\tNyelv\tFokozat\tKategoria\tKimenet\n");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("Idopont"), std::string::npos) << missing.err;
}
