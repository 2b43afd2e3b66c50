#include "tool_runner.h"

#include <gtest/gtest.h>

using storage::testing::exists;
using storage::testing::readBytes;
using storage::testing::TempFolder;
using tabla::testing::runTool;

namespace {

const std::string PuzzleHeader = "Szoveg\tNyelv\tSugo1\tFokozat\tKategoria\n";
const std::string Blank(13, ' ');

} // namespace

TEST(TablaImport, PhraseIsLaidOutAsTheEditorWouldStoreIt)
{
    TempFolder folder;
    auto run
        = runTool(folder, "import Brumvelda.lis", PuzzleHeader + "szeles ut\t1\t  Nem keskeny  \t2\t2\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "1\n");
    // The 85-byte list of one puzzle with an empty second hint.
    const std::string file = readBytes(folder.file("Brumvelda.lis"));
    EXPECT_EQ(file.size(), 85u);
    EXPECT_NE(file.find(Blank + "  SZELES UT  " + Blank), std::string::npos);
    EXPECT_EQ(runTool(folder, "dump Brumvelda.lis").out,
              "Szoveg\tNyelv\tSugo1\tSugo2\tFokozat\tKategoria\n" + Blank + "  SZELES UT  " + Blank
                  + "\t1\tNem keskeny\t\t2\t2\n");
}

TEST(TablaImport, ColumnsInAnyOrderAppendToTheEnd)
{
    TempFolder folder;
    runTool(folder, "import a.lis", PuzzleHeader + "ELSO\t1\t\t1\t1\n");
    std::string cells = "ALMA" + std::string(9, ' ') + Blank + "\xC3\x81RV\xC3\x8DZ" + std::string(8, ' ');
    auto run
        = runTool(folder, "import a.lis",
                  "Kategoria\tSugo2\tfokozat\tSzoveg\tNyelv\r\n16\tk\xC3\xA9k\t4\t" + cells + "\t2\r\n\r\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(runTool(folder, "check a.lis").out, "2\n");
    std::string dump = runTool(folder, "dump a.lis").out;
    EXPECT_NE(dump.find("    ELSO     " + Blank), std::string::npos);
    EXPECT_NE(dump.find("\n" + cells + "\t2\t\tk\xC3\xA9k\t4\t16\n"), std::string::npos) << dump;
}

TEST(TablaImport, AnyBadLineLeavesTheFileExactlyAsItWas)
{
    TempFolder folder;
    runTool(folder, "import a.lis", PuzzleHeader + "ALMA\t1\t\t1\t1\n");
    const std::string before = readBytes(folder.file("a.lis"));
    auto run = runTool(folder, "import a.lis", PuzzleHeader + "KORTE\t1\t\t1\t1\nSZILVA\t3\t\t1\t1\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.rfind("brumvelda-tabla: <stdin>:3: Nyelv: ", 0), 0u) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(readBytes(folder.file("a.lis")), before);
    // The table and the folder's lock file, nothing else.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);

    // A failed import into a new file creates nothing.
    EXPECT_EQ(runTool(folder, "import b.lis", PuzzleHeader + "KORTE\t1\t\t5\t1\n").exitCode, 1);
    EXPECT_FALSE(exists(folder.file("b.lis")));
}

struct BadInput
{
    const char* file;
    std::string input;
    std::string errorStart; // after "brumvelda-tabla: <stdin>:"
};

TEST(TablaImport, ErrorsNameTheLineAndTheFault)
{
    const BadInput cases[] = {
        {"a.lis", "", "1: "},
        {"a.lis", "Szoveg\tNyelv\tFokozat\n", "1: hi\xC3\xA1nyzik a(z) \xE2\x80\x9EKategoria"},
        {"a.lis", "Szoveg\tNyelv\tFokozat\tKategoria\tSzin\n", "1: ismeretlen oszlop: \xE2\x80\x9ESzin"},
        {"a.lis", "Szoveg\tNyelv\tNyelv\tFokozat\tKategoria\n", "1: a(z) \xE2\x80\x9ENyelv"},
        {"a.lis", PuzzleHeader + "ALMA\t1\t\t1\n", "2: 4 mez\xC5\x91"},
        {"a.lis", PuzzleHeader + "ALMA\t1\t\t1\t17\n", "2: Kategoria: 1 \xC3\xA9s 16"},
        {"a.lis", PuzzleHeader + "ALMA\t1\t\t0\t1\n", "2: Fokozat: 1 \xC3\xA9s 4"},
        {"a.lis", PuzzleHeader + "ALMA\t1x\t\t1\t1\n", "2: Nyelv: "},
        {"a.lis", PuzzleHeader + "ALMA\t\\N\t\t1\t1\n", "2: Nyelv: "},
        {"a.lis", PuzzleHeader + "\n\xC3\xA4pfel\t1\t\t1\t1\n",
         "3: Szoveg: a(z) \xE2\x80\x9E\xC3\xA4\xE2\x80\x9D"},
        {"a.lis", PuzzleHeader + "ALMA 12\t1\t\t1\t1\n",
         "2: Szoveg: a(z) \xE2\x80\x9E"
         "1"},
        {"a.lis", PuzzleHeader + "MEGSZENTSEGTELENITHETETLEN\t1\t\t1\t1\n",
         "2: Szoveg: a sz\xC3\xB6veg nem f\xC3\xA9r el"},
        {"a.lis", PuzzleHeader + "\\N\t1\t\t1\t1\n", "2: Szoveg: "},
        {"a.lis", PuzzleHeader + "   \t1\t\t1\t1\n",
         "2: Szoveg: a feladv\xC3\xA1ny sz\xC3\xB6vege nem lehet \xC3\xBCres"},
        {"a.lis", PuzzleHeader + "ALMA\t1\t" + std::string(101, 'x') + "\t1\t1\n",
         "2: Sugo1: a s\xC3\xBAg\xC3\xB3"},
        {"a.lis", PuzzleHeader + "ALMA\t1\t\xE4\xB8\xAD\t1\t1\n", "2: Sugo1: A(z) \xE2\x80\x9E\xE4\xB8\xAD"},
        {"a.lis", PuzzleHeader + "ALMA\t1\tx\\y\t1\t1\n",
         "2: Sugo1: ismeretlen jel\xC3\xB6l\xC3\xA9s: \xE2\x80\x9E\\y"},
        {"a.jat", "OsszPont\n", "1: hi\xC3\xA1nyzik a(z) \xE2\x80\x9ENev"},
        {"a.jat", "Nev\nAnna\n\\N\n", "3: Nev: "},
        {"a.jat", "Nev\nAnna\n  \n", "3: Nev: a n\xC3\xA9v nem lehet \xC3\xBCres"},
        {"a.jat", "Nev\n" + std::string(21, 'a') + "\n", "2: Nev: a n\xC3\xA9v legfeljebb 20 karakter"},
        {"a.jat", "Nev\tOsszPont\nAnna\t99999999999\n", "2: OsszPont: "},
        {"a.jat", "Nev\tJatszott\nAnna\t-1\n", "2: Jatszott: "},
    };
    for (const BadInput& c : cases) {
        TempFolder folder;
        auto run = runTool(folder, std::string("import ") + c.file, c.input);
        EXPECT_EQ(run.exitCode, 1) << c.input;
        EXPECT_EQ(run.err.rfind("brumvelda-tabla: <stdin>:" + c.errorStart, 0), 0u) << c.input << "\n"
                                                                                    << run.err;
        EXPECT_EQ(run.err.back(), '\n');
        EXPECT_FALSE(exists(folder.file(c.file))) << c.input;
    }
}

TEST(TablaImport, HintsAreTrimmedBeforeTheyAreMeasured)
{
    TempFolder folder;
    std::string hint(100, 'x');
    auto run = runTool(folder, "import a.lis", PuzzleHeader + "ALMA\t1\t  " + hint + " \t1\t1\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(runTool(folder, "dump a.lis").out.find("\t" + hint + "\t"), std::string::npos);
}

TEST(TablaImport, DumpedPuzzleListImportsBackByteForByte)
{
    TempFolder folder;
    runTool(folder, "import a.lis",
            "Szoveg\tNyelv\tSugo1\tSugo2\tFokozat\tKategoria\n"
            "szeles ut\t1\tNem keskeny\t\t2\t2\n"
            "ki koran kel aranyat lel\t2\tH\xC3\xA1rom sz\xC3\xB3\tmeg \\\\ egy\t4\t16\n");
    auto dump = runTool(folder, "dump a.lis");
    auto run = runTool(folder, "import b.lis", dump.out);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "2\n");
    EXPECT_EQ(readBytes(folder.file("b.lis")), readBytes(folder.file("a.lis")));
}

TEST(TablaImport, RegisterSortsByNameAndRoundTrips)
{
    TempFolder folder;
    auto run = runTool(folder, "import a.jat",
                       "Jatszott\tNev\tOsszPont\n3\tZs\xC3\xB3"
                       "fi\t10\n2\t\xC3\x81"
                       "d\xC3\xA1m\t-7\n"
                       "0\tCsaba\t\\N\n3\tAnna\t150\n\tCec\xC3\xAD"
                       "lia\t5\n");
    ASSERT_EQ(run.exitCode, 1); // an empty Jatszott is not a number
    run = runTool(folder, "import a.jat",
                  "Jatszott\tNev\tOsszPont\n3\tZs\xC3\xB3"
                  "fi\t10\n2\t\xC3\x81"
                  "d\xC3\xA1m\t-7\n"
                  "0\tCsaba\t\\N\n3\tAnna\t150\n1\tCec\xC3\xAD"
                  "lia\t5\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "5\n");
    const std::string dump = runTool(folder, "dump a.jat").out;
    EXPECT_EQ(dump,
              "Nev\tOsszPont\tJatszott\tAtlag\n"
              "\xC3\x81"
              "d\xC3\xA1m\t-7\t2\t-3\n"
              "Anna\t150\t3\t50\n"
              "Cec\xC3\xAD"
              "lia\t5\t1\t5\n"
              "Csaba\t\\N\t0\t0\n"
              "Zs\xC3\xB3"
              "fi\t10\t3\t3\n");
    ASSERT_EQ(runTool(folder, "import b.jat", dump).exitCode, 0);
    EXPECT_EQ(runTool(folder, "dump b.jat").out, dump);
    // Only the name is needed; the figures start at 0.
    ASSERT_EQ(runTool(folder, "import b.jat", "Nev\nB\xC3\xA9la\n").exitCode, 0);
    EXPECT_NE(runTool(folder, "dump b.jat").out.find("B\xC3\xA9la\t0\t0\t0\n"), std::string::npos);
}

TEST(TablaImport, UnwritableFolderIsReportedWithTheStorageMessage)
{
    TempFolder folder;
    auto run = runTool(folder, "import nincs/a.lis", PuzzleHeader + "ALMA\t1\t\t1\t1\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.rfind("brumvelda-tabla: nincs/a.lis: Cannot create file nincs/a.$$$", 0), 0u)
        << run.err;
}

TEST(TablaImport, ShippedPuzzlePackImportsWhole)
{
    const char* source = std::getenv("BRUMVELDA_SOURCE_DIR");
    if (!source)
        GTEST_SKIP() << "BRUMVELDA_SOURCE_DIR is not set";
    const std::string pack = readBytes(std::string(source) + "/data/puzzles.tsv");
    ASSERT_FALSE(pack.empty());
    TempFolder folder;
    auto run = runTool(folder, "import Brumvelda.lis", pack);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const auto lines = std::count(pack.begin(), pack.end(), '\n');
    EXPECT_EQ(run.out, std::to_string(lines - 1) + "\n");
}
