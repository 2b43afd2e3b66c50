#include "storage/schemas.h"
#include "storage/storage_error.h"
#include "storage/table.h"
#include "storage/table_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <random>

using namespace storage;
using storage::testing::readBytes;
using storage::testing::TempFolder;
using storage::testing::writeBytes;

namespace {

// "54 50 46 30" -> the four bytes.
std::string hex(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i + 1 < text.size() + 1;) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        if (i >= text.size())
            break;
        out += char(std::stoi(std::string(text.substr(i, 2)), nullptr, 16));
        i += 2;
    }
    return out;
}

const std::string Header = hex("54 50 46 30 03 FB 00 01 00 01 00 01");
const std::string MiddleRow = "  SZELES UT  ";
const std::string PuzzleText = std::string(13, ' ') + MiddleRow + std::string(13, ' ');
const std::string PuzzleExample = Header + hex("01 02 00 08 06 27") + PuzzleText + hex("08 02 01 08 06 0B")
    + "Nem keskeny" + hex("08 06 00 08 02 02 08 02 02 00 00");
const std::string PlayerExample
    = Header + hex("01 02 00 08 06 04 41 6E 6E 61 08 03 96 00 08 02 03 08 02 32 00 00");
const std::string EmptyTable = hex("54 50 46 30 03 FB 00 01 00 01 00 01 00");

std::vector<Column> intColumn()
{
    Column c;
    c.name = "N";
    c.type = ColumnType::Integer;
    return {c};
}

// Opens the table afresh (closing it without a save first) and returns the load's message.
std::string errorOf(Table& table)
{
    if (table.isOpen()) {
        table.closeWithoutSaving();
    }
    try {
        table.open();
    } catch (const StorageError& e) {
        return e.what();
    }
    return {};
}

class TableFile : public ::testing::Test
{
protected:
    TempFolder folder;
    std::string lis = folder.file("Brumvelda.lis");
    std::string jat = folder.file("Brumvelda.jat");

    std::unique_ptr<Table> puzzles(const std::string& path)
    {
        auto table = std::make_unique<Table>(puzzleColumns());
        table->setFilePath(path);
        return table;
    }
    std::unique_ptr<Table> players(const std::string& path)
    {
        auto table = std::make_unique<Table>(playerColumns());
        configurePlayerRegister(*table);
        table->setFilePath(path);
        return table;
    }
    void appendPuzzle(Table& t, const std::string& text, int language, const std::string& hint1,
                      int level = 2)
    {
        t.append();
        t.setString(puzzle::Szoveg, text);
        t.setInt(puzzle::Nyelv, language);
        t.setString(puzzle::Sugo1, hint1);
        t.setString(puzzle::Sugo2, "");
        t.setInt(puzzle::Fokozat, level);
        t.setInt(puzzle::Kategoria, 2);
        t.post();
    }
    // The record bytes of a file holding one integer value.
    std::string encodedInt(int32_t value)
    {
        const std::string path = folder.file("int.tab");
        std::remove(path.c_str());
        {
            Table t(intColumn());
            t.setFilePath(path);
            t.open();
            t.append();
            t.setInt(0, value);
            t.post();
            EXPECT_TRUE(t.close().ok());
        }
        const std::string file = readBytes(path);
        return file.substr(Header.size() + 4, file.size() - Header.size() - 4 - 2);
    }
};

} // namespace

TEST_F(TableFile, ThePuzzleExampleIsWrittenByteForByteAndReadsBack)
{
    auto t = puzzles(lis);
    t->open();
    appendPuzzle(*t, PuzzleText, 1, "Nem keskeny");
    ASSERT_TRUE(t->close().ok());
    EXPECT_EQ(readBytes(lis), PuzzleExample);
    ASSERT_EQ(PuzzleExample.size(), 85u);

    t->open();
    ASSERT_EQ(t->recordCount(), 1);
    EXPECT_EQ(t->asString(puzzle::Szoveg), PuzzleText);
    EXPECT_EQ(t->asString(puzzle::Sugo1), "Nem keskeny");
    EXPECT_FALSE(t->isNull(puzzle::Sugo2));
    EXPECT_EQ(t->asInt(puzzle::Kategoria), 2);
}

TEST_F(TableFile, ThePlayerExampleIsWrittenWithItsAverageAndReadsBack)
{
    auto t = players(jat);
    t->open();
    t->append();
    t->setString(player::Nev, "Anna");
    t->setInt(player::OsszPont, 150);
    t->setInt(player::Jatszott, 3);
    t->post();
    ASSERT_TRUE(t->close().ok());
    EXPECT_EQ(readBytes(jat), PlayerExample);
    ASSERT_EQ(PlayerExample.size(), 34u);
    t->open();
    EXPECT_EQ(t->asInt(player::Atlag), 50);
}

TEST_F(TableFile, AnEmptyTableIsThirteenBytesAndAZeroByteFileIsEmpty)
{
    auto t = puzzles(lis);
    t->open(); // first run: no file, no error
    EXPECT_TRUE(t->isEmpty());
    ASSERT_TRUE(t->close().ok());
    EXPECT_EQ(readBytes(lis), EmptyTable);
    t->open();
    EXPECT_TRUE(t->isEmpty());
    ASSERT_TRUE(t->close().ok());

    writeBytes(lis, "");
    t->open();
    EXPECT_TRUE(t->isEmpty());
}

TEST_F(TableFile, IntegersTakeTheSmallestTag)
{
    EXPECT_EQ(encodedInt(127), hex("02 7F"));
    EXPECT_EQ(encodedInt(128), hex("03 80 00"));
    EXPECT_EQ(encodedInt(-128), hex("02 80"));
    EXPECT_EQ(encodedInt(-129), hex("03 7F FF"));
    EXPECT_EQ(encodedInt(40000), hex("04 40 9C 00 00"));
    EXPECT_EQ(encodedInt(-20), hex("02 EC"));
    EXPECT_EQ(encodedInt(-32768), hex("03 00 80"));
    EXPECT_EQ(encodedInt(INT32_MIN), hex("04 00 00 00 80"));
}

TEST_F(TableFile, AnyIntegerTagAndEitherStringTagReads)
{
    const std::string record = hex("01 02 00 08 0C 27 00 00 00") + PuzzleText
        + hex("08 04 01 00 00 00 08 06 00") + hex("08 0C 00 00 00 00 08 04 40 9C 00 00 08 03 02 00 00");
    writeBytes(lis, Header + record + hex("00"));
    auto t = puzzles(lis);
    t->open();
    ASSERT_EQ(t->recordCount(), 1);
    EXPECT_EQ(t->asString(puzzle::Szoveg), PuzzleText);
    EXPECT_EQ(t->asInt(puzzle::Nyelv), 1);
    EXPECT_EQ(t->asInt(puzzle::Fokozat), 40000);
    EXPECT_EQ(t->asInt(puzzle::Kategoria), 2);
    EXPECT_EQ(t->asString(puzzle::Sugo2), "");
}

TEST_F(TableFile, TextsAreCutToTheColumnAndAtAZeroByte)
{
    const std::string longText(45, 'A');
    const std::string record = hex("01 02 00 08 06 2D") + longText + hex("08 02 01 08 06 05") + "ab" + '\0'
        + "cd" + hex("09 08 02 01 08 02 01 00");
    writeBytes(lis, Header + record + hex("00"));
    auto t = puzzles(lis);
    t->open();
    EXPECT_EQ(t->asString(puzzle::Szoveg), std::string(39, 'A'));
    EXPECT_EQ(t->asString(puzzle::Sugo1), "ab");
    EXPECT_TRUE(t->isNull(puzzle::Sugo2)); // flag 0x09: null
    EXPECT_EQ(t->asString(puzzle::Sugo2), "");
}

TEST_F(TableFile, VersionOneHundredHasNoIndexListMarkersStatusOrFlags)
{
    // No version integer: the byte after the signature is the field list's start.
    const std::string file = hex("54 50 46 30 01 00 01") + hex("06 01") + "X"
        + hex("02 01 06 00 06 00 02 03 02 04") + hex("06 01") + "Y" + hex("02 02 06 00 06 00 02 01 02 05")
        + hex("00") + "trailing junk";
    writeBytes(lis, file);
    auto t = puzzles(lis);
    t->open();
    ASSERT_EQ(t->recordCount(), 2);
    EXPECT_EQ(t->asString(puzzle::Szoveg), "X");
    EXPECT_EQ(t->asInt(puzzle::Kategoria), 4);
    t->next();
    EXPECT_EQ(t->asString(puzzle::Szoveg), "Y");
}

TEST_F(TableFile, VersionsBetweenDifferInMarkersAndFlags)
{
    // 220: index list, plain values; 240: markers and status, no flags; 300 reads like 251.
    const std::string values = hex("06 01") + "V" + hex("02 01 06 00 06 00 02 03 02 04");
    writeBytes(lis, hex("54 50 46 30 03 DC 00 01 00 01 00 01") + values + hex("00"));
    auto t = puzzles(lis);
    t->open();
    EXPECT_EQ(t->recordCount(), 1);
    ASSERT_TRUE(t->close().ok());
    writeBytes(lis, hex("54 50 46 30 03 F0 00 01 00 01 00 01 01 02 00") + values + hex("00 00"));
    t->open();
    EXPECT_EQ(t->recordCount(), 1);
    ASSERT_TRUE(t->close().ok());
    writeBytes(lis,
               hex("54 50 46 30 03 2C 01 01 00 01 00 01 01 02 00 08") + hex("06 01") + "V"
                   + hex("08 02 01 09 09 08 02 03 08 02 04 00 00"));
    t->open();
    EXPECT_EQ(t->recordCount(), 1);
    EXPECT_TRUE(t->isNull(puzzle::Sugo1));
}

TEST_F(TableFile, StatusIsKeptDeletedRecordsAreHiddenOlderVersionsAreSkipped)
{
    auto rec = [](int status, const std::string& text) {
        return hex("01 02") + char(status) + hex("08 06") + char(text.size()) + text
            + hex("08 02 01 08 06 00 08 06 00 08 02 01 08 02 01");
    };
    // The second record carries an older version of itself; the third is deleted.
    const std::string file = Header + rec(2, "KEPT") + hex("00") + rec(0, "NEW") + rec(1, "OLD").substr(1)
        + hex("00") + rec(3, "GONE") + hex("00 00");
    writeBytes(lis, file);
    auto t = puzzles(lis);
    t->open();
    ASSERT_EQ(t->recordCount(), 2);
    EXPECT_EQ(t->asString(puzzle::Szoveg), "KEPT");
    t->next();
    EXPECT_EQ(t->asString(puzzle::Szoveg), "NEW");
    ASSERT_TRUE(t->close().ok());
    const std::string written = readBytes(lis);
    EXPECT_EQ(written.substr(Header.size(), 3), hex("01 02 02")); // status 2 written back
    EXPECT_EQ(written.find("OLD"), std::string::npos);
    EXPECT_EQ(written.find("GONE"), std::string::npos);
}

TEST_F(TableFile, FieldDefinitionsAreCheckedForTheirType)
{
    auto def = [](const std::string& name, const std::string& type) {
        return hex("06") + char(name.size()) + name + hex("06") + char(type.size()) + type
            + hex("02 27 06 00 06 00 02 10 08 08 06 04") + "Data" + hex("06 00");
    };
    const std::string tail = hex("00 01 00 01 00");
    writeBytes(lis,
               hex("54 50 46 30 03 FB 00 01") + def("Szoveg", "String") + def("Nyelv", "Integer") + tail);
    auto t = puzzles(lis);
    EXPECT_EQ(errorOf(*t), "");
    ASSERT_TRUE(t->close().ok());
    writeBytes(lis, hex("54 50 46 30 03 FB 00 01") + def("Szoveg", "Graphic") + tail);
    EXPECT_EQ(errorOf(*t), "Unknown field type (Graphic)");
}

TEST_F(TableFile, DamagedFilesGiveTheirMessages)
{
    auto t = puzzles(lis);
    writeBytes(lis, "TPF1" + PuzzleExample.substr(4));
    EXPECT_EQ(errorOf(*t), "Invalid stream format");
    writeBytes(lis, hex("54 50 46 30 03 FB 00"));
    EXPECT_EQ(errorOf(*t), "Stream read error");
    writeBytes(lis, hex("54 50 46 30 06 00"));
    EXPECT_EQ(errorOf(*t), "Invalid property value");
    std::string wrongTag = PuzzleExample;
    wrongTag[Header.size() + 3 + 1] = '\x02'; // Szoveg written as an integer
    writeBytes(lis, wrongTag);
    EXPECT_EQ(errorOf(*t), "Invalid property value");
    // A length far beyond the file is a read error at once, not an allocation.
    writeBytes(lis, Header + hex("01 02 00 08 0C FF FF FF 7F 41"));
    EXPECT_EQ(errorOf(*t), "Stream read error");
    std::filesystem::create_directory(folder.file("folder.lis"));
    auto dir = puzzles(folder.file("folder.lis"));
    EXPECT_EQ(errorOf(*dir), "Cannot open file " + folder.file("folder.lis") + ": nem fájl, hanem mappa");
}

TEST_F(TableFile, AFileCutAtAnyByteIsAReadErrorAndKeepsTheRecordsBefore)
{
    const std::string second = PuzzleExample.substr(Header.size(), PuzzleExample.size() - Header.size() - 1);
    const std::string twoRecords = PuzzleExample.substr(0, PuzzleExample.size() - 1) + second + hex("00");
    auto t = puzzles(lis);
    for (size_t cut = 1; cut < twoRecords.size(); ++cut) {
        writeBytes(lis, twoRecords.substr(0, cut));
        EXPECT_EQ(errorOf(*t), "Stream read error") << "cut at " << cut;
        EXPECT_TRUE(t->isOpen());
        EXPECT_TRUE(t->loadFailed());
        const int whole = (cut >= PuzzleExample.size() - 1) + (cut >= twoRecords.size() - 1);
        EXPECT_EQ(t->recordCount(), whole) << "cut at " << cut;
    }
}

TEST_F(TableFile, FlippedBytesGiveAnErrorOrATableNeverACrash)
{
    std::mt19937 random(2024);
    const std::string base = PlayerExample.substr(0, PlayerExample.size() - 1)
        + PlayerExample.substr(Header.size(), PlayerExample.size() - Header.size());
    auto t = players(jat);
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = base;
        const int flips = 1 + int(random() % 3);
        for (int i = 0; i < flips; ++i)
            damaged[random() % damaged.size()] ^= char(1 + random() % 255);
        writeBytes(jat, damaged);
        try {
            t->open();
            EXPECT_LE(t->recordCount(), 2);
        } catch (const StorageError&) {
        }
        t->closeWithoutSaving();
    }
}

TEST_F(TableFile, SavingWritesOnceThroughATemporaryFileAndKeepsNoneBehind)
{
    auto t = puzzles(lis);
    t->open();
    appendPuzzle(*t, "A", 1, "");
    SaveTableFile(*t, lis);
    const std::string first = readBytes(lis);
    appendPuzzle(*t, "B", 1, "");
    SaveTableFile(*t, lis); // the written mark is set: nothing happens
    EXPECT_EQ(readBytes(lis), first);
    EXPECT_FALSE(std::filesystem::exists(folder.file("Brumvelda.$$$")));
}

TEST_F(TableFile, ATemporaryFileThatCannotBeCreatedIsNamedAndTheOldFileStays)
{
    writeBytes(lis, PuzzleExample);
    std::filesystem::create_directory(folder.file("Brumvelda.$$$"));
    auto t = puzzles(lis);
    t->open();
    appendPuzzle(*t, "B", 1, "");
    const SaveOutcome saved = t->save();
    EXPECT_EQ(saved.reason, "Cannot create file " + folder.file("Brumvelda.$$$"));
    EXPECT_EQ(saved.error, saveFailure(saved.reason, lis));
    EXPECT_TRUE(t->isOpen());
    EXPECT_EQ(t->recordCount(), 2);
    EXPECT_EQ(readBytes(lis), PuzzleExample);
    std::filesystem::remove(folder.file("Brumvelda.$$$"));
    EXPECT_TRUE(t->close().ok()); // the mark stayed clear: the retry writes
    t->open();
    EXPECT_EQ(t->recordCount(), 2);
}

TEST_F(TableFile, AFailedCloseIsReportedNamingTheFileAndTheTableIsClosedAnyway)
{
    writeBytes(lis, PuzzleExample);
    std::filesystem::create_directory(folder.file("Brumvelda.$$$"));
    auto t = puzzles(lis);
    t->open();
    appendPuzzle(*t, "B", 1, "");
    const SaveOutcome closed = t->close();
    EXPECT_FALSE(closed.ok());
    EXPECT_EQ(closed.error,
              "Cannot create file " + folder.file("Brumvelda.$$$") + ": " + lis
                  + ". A fájl korábbi változata változatlanul megmaradt");
    EXPECT_TRUE(closed.keptBackup.empty());
    EXPECT_FALSE(t->isOpen());
    EXPECT_EQ(readBytes(lis), PuzzleExample);
}

TEST_F(TableFile, AFailedRenameIsReportedAndASaveStaysOpen)
{
    auto t = puzzles(lis);
    t->open();
    appendPuzzle(*t, "B", 1, "");
    std::filesystem::create_directories(lis + "/occupied"); // rename cannot replace a non-empty folder
    EXPECT_EQ(t->save().reason, "Cannot create file " + lis);
    EXPECT_TRUE(t->isOpen());
    EXPECT_FALSE(std::filesystem::exists(folder.file("Brumvelda.$$$")));
    std::filesystem::remove_all(lis);
    EXPECT_TRUE(t->close().ok());
    t->open();
    EXPECT_EQ(t->recordCount(), 1);
}

TEST_F(TableFile, ADamagedFileIsKeptAsABackupBeforeItIsReplaced)
{
    // The first record whole, the second cut short.
    const std::string cut
        = PuzzleExample.substr(0, PuzzleExample.size() - 1) + PuzzleExample.substr(Header.size(), 10);
    writeBytes(lis, cut);
    writeBytes(lis + ".bak", "an older backup");
    auto t = puzzles(lis);
    EXPECT_EQ(errorOf(*t), "Stream read error");
    EXPECT_TRUE(t->loadFailed());
    EXPECT_EQ(t->recordCount(), 1);
    const SaveOutcome closed = t->close();
    EXPECT_TRUE(closed.ok());
    EXPECT_EQ(closed.keptBackup, lis + ".bak1");
    EXPECT_EQ(readBytes(lis + ".bak1"), cut);
    EXPECT_EQ(readBytes(lis + ".bak"), "an older backup");
    EXPECT_EQ(readBytes(lis), PuzzleExample);

    t->open(); // the rewritten file loads; the next save makes no backup
    EXPECT_FALSE(t->loadFailed());
    EXPECT_EQ(t->close().keptBackup, "");
    EXPECT_FALSE(std::filesystem::exists(lis + ".bak2"));
}

TEST_F(TableFile, AReopenThatFailsAfterASaveStillKeepsTheDamagedFileAndWritesWhatWasRead)
{
    auto t = puzzles(lis);
    t->open();
    ASSERT_TRUE(t->close().ok()); // written once: the mark is set
    const std::string cut
        = PuzzleExample.substr(0, PuzzleExample.size() - 1) + PuzzleExample.substr(Header.size(), 10);
    writeBytes(lis, cut);
    try {
        t->open();
        FAIL() << "the damaged file loaded";
    } catch (const StorageError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    ASSERT_TRUE(t->close().ok());
    EXPECT_EQ(readBytes(lis + ".bak"), cut);
    EXPECT_EQ(readBytes(lis), PuzzleExample);
}

TEST_F(TableFile, TheRegisterIsWrittenInTheActiveOrderAndOpensByName)
{
    auto t = players(jat);
    t->open();
    for (auto [name, total] : {std::pair {"Bea", 10}, {"Anna", 30}, {"Cili", 20}}) {
        t->append();
        t->setString(player::Nev, name);
        t->setInt(player::OsszPont, total);
        t->post();
    }
    t->selectSortOrder("iOsszPont");
    ASSERT_TRUE(t->close().ok());
    const std::string file = readBytes(jat);
    EXPECT_LT(file.find("Anna"), file.find("Cili"));
    EXPECT_LT(file.find("Cili"), file.find("Bea"));
    t->open();
    EXPECT_EQ(t->activeOrderName(), "iNev");
    EXPECT_EQ(t->stringAt(0, player::Nev), "Anna");
    EXPECT_EQ(t->stringAt(1, player::Nev), "Bea");
}

// Only close() and save() write, and they say how it went; a destructor would have nobody to tell.
TEST_F(TableFile, ATableDestroyedWhileOpenWritesNothing)
{
    {
        auto t = puzzles(lis);
        t->open();
        appendPuzzle(*t, PuzzleText, 1, "Nem keskeny");
    }
    EXPECT_FALSE(std::filesystem::exists(lis));
    writeBytes(lis, PuzzleExample.substr(0, 30)); // damaged: a save would keep a backup first
    {
        auto t = puzzles(lis);
        EXPECT_EQ(errorOf(*t), "Stream read error");
    }
    EXPECT_EQ(readBytes(lis), PuzzleExample.substr(0, 30));
    EXPECT_FALSE(std::filesystem::exists(lis + ".bak"));
}

TEST_F(TableFile, ABackupIsReportedByTheSaveThatKeptIt)
{
    writeBytes(lis, PuzzleExample.substr(0, 30));
    auto t = puzzles(lis);
    EXPECT_EQ(errorOf(*t), "Stream read error");
    appendPuzzle(*t, "A", 1, "");
    const SaveOutcome first = t->save();
    EXPECT_TRUE(first.ok());
    EXPECT_EQ(first.keptBackup, lis + ".bak");
    appendPuzzle(*t, "B", 1, "");
    const SaveOutcome closed = t->close();
    EXPECT_TRUE(closed.ok());
    EXPECT_EQ(closed.keptBackup, "");
    EXPECT_EQ(readBytes(lis + ".bak"), PuzzleExample.substr(0, 30));
    t->open();
    EXPECT_EQ(t->recordCount(), 2);
}

TEST_F(TableFile, AnyFlagByteButTrueMeansAValueFollows)
{
    const std::string record
        = hex("01 02 00 07 06 01") + "F" + hex("00 02 01 08 06 00 08 06 00 08 02 01 08 02 01 00");
    writeBytes(lis, Header + record + hex("00"));
    auto t = puzzles(lis);
    t->open();
    ASSERT_EQ(t->recordCount(), 1);
    EXPECT_EQ(t->asString(puzzle::Szoveg), "F");
    EXPECT_EQ(t->asInt(puzzle::Nyelv), 1);
}

TEST_F(TableFile, ATextLongerThan255BytesTakesTheLongTag)
{
    Column c;
    c.name = "T";
    c.size = 300;
    const std::string path = folder.file("long.tab");
    {
        Table t({c});
        t.setFilePath(path);
        t.open();
        t.append();
        t.setString(0, std::string(256, 'x'));
        t.post();
        ASSERT_TRUE(t.close().ok());
    }
    EXPECT_EQ(readBytes(path).substr(Header.size() + 3, 6), hex("08 0C 00 01 00 00"));
    Table t({c});
    t.setFilePath(path);
    t.open();
    EXPECT_EQ(t.asString(0), std::string(256, 'x'));
}

TEST_F(TableFile, RecordsReadAheadOpenTheTableAsItsOwnLoadWould)
{
    writeBytes(lis, PuzzleExample);
    LoadedTable ahead = readTableFile(lis, puzzleColumns());
    EXPECT_EQ(ahead.recordCount(), 1);
    EXPECT_EQ(ahead.error(), "");
    auto t = puzzles(lis);
    t->adopt(std::move(ahead));
    ASSERT_EQ(t->recordCount(), 1);
    EXPECT_EQ(t->asString(puzzle::Sugo1), "Nem keskeny");
    EXPECT_TRUE(t->close().ok());
    EXPECT_EQ(readBytes(lis), PuzzleExample);

    // Another file, other columns, or nothing read: the table reads its own.
    const std::string other = folder.file("other.lis");
    writeBytes(other, EmptyTable);
    t->adopt(readTableFile(other, puzzleColumns()));
    EXPECT_EQ(t->recordCount(), 1);
    t->closeWithoutSaving();
    t->adopt(readTableFile(lis, playerColumns()));
    EXPECT_EQ(t->stringAt(0, puzzle::Sugo1), "Nem keskeny");
    t->closeWithoutSaving();
    t->adopt(LoadedTable());
    EXPECT_EQ(t->recordCount(), 1);
    EXPECT_EQ(readBytes(other), EmptyTable);
}

TEST_F(TableFile, ADamagedFileReadAheadGivesItsErrorAndItsBackupThroughTheTableThatTookIt)
{
    const std::string cut = PuzzleExample.substr(0, PuzzleExample.size() - 1);
    writeBytes(lis, cut);
    LoadedTable ahead = readTableFile(lis, puzzleColumns());
    EXPECT_EQ(ahead.error(), "Stream read error");
    EXPECT_EQ(ahead.recordCount(), 1);
    auto t = puzzles(lis);
    try {
        t->adopt(std::move(ahead));
        ADD_FAILURE() << "the damaged file was taken without its error";
    } catch (const StorageError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    EXPECT_TRUE(t->loadFailed());
    EXPECT_EQ(t->recordCount(), 1);
    EXPECT_FALSE(std::filesystem::exists(lis + ".bak"));
    const SaveOutcome closed = t->close();
    EXPECT_TRUE(closed.ok());
    EXPECT_EQ(closed.keptBackup, lis + ".bak");
    EXPECT_EQ(readBytes(lis + ".bak"), cut);
}

TEST_F(TableFile, ARefusedFileReadAheadIsNeverReplaced)
{
    writeBytes(lis, PuzzleExample);
    LoadedTable ahead = readTableFile(lis, puzzleColumns(), 50); // smaller than the file
    EXPECT_EQ(ahead.recordCount(), 0);
    EXPECT_NE(ahead.error().find("túl nagy"), std::string::npos) << ahead.error();
    auto t = puzzles(lis);
    EXPECT_THROW(t->adopt(std::move(ahead)), StorageError);
    EXPECT_TRUE(t->loadFailed());
    appendPuzzle(*t, "B", 1, "");
    EXPECT_EQ(t->close().error, formatMessage(NotSavedUnreadable, lis));
    EXPECT_EQ(readBytes(lis), PuzzleExample);
}

// Bytes in memory parse exactly as the same bytes read from a file: the records before any damage, and the
// same message.
TEST_F(TableFile, BytesParseAsTheSameFileLoads)
{
    const std::string second = PuzzleExample.substr(Header.size(), PuzzleExample.size() - Header.size() - 1);
    const std::string twoRecords = PuzzleExample.substr(0, PuzzleExample.size() - 1) + second + hex("00");
    std::vector<std::string> inputs = {"",
                                       EmptyTable,
                                       PuzzleExample,
                                       twoRecords + "trailing bytes",
                                       "TPF1" + PuzzleExample.substr(4),
                                       hex("54 50 46 30 06 00")};
    for (size_t cut = 1; cut < twoRecords.size(); cut += 7)
        inputs.push_back(twoRecords.substr(0, cut));
    auto t = puzzles(lis);
    for (const std::string& bytes : inputs) {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        writeBytes(lis, bytes);
        const std::string fileError = errorOf(*t);
        const LoadedTable parsed = parseTableFile(bytes, puzzleColumns());
        EXPECT_EQ(parsed.error(), fileError);
        EXPECT_EQ(parsed.recordCount(), t->recordCount());
    }
}

// The average a file holds is not read but worked out again: a wrong one is written back right.
TEST_F(TableFile, ParsedBytesAdoptedByATableWriteTheSameBytesBack)
{
    std::string wrongAverage = PlayerExample;
    ASSERT_EQ(wrongAverage[PlayerExample.size() - 3], '\x32');
    wrongAverage[PlayerExample.size() - 3] = '\x63';
    for (const std::string& bytes : {PlayerExample, wrongAverage}) {
        Table t(playerColumns());
        configurePlayerRegister(t);
        t.adopt(parseTableFile(bytes, playerColumns()));
        ASSERT_EQ(t.recordCount(), 1);
        EXPECT_EQ(t.asInt(player::Atlag), 50);
        EXPECT_EQ(tableFileBytes(t), PlayerExample);
    }
}
