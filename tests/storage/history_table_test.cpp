#include "storage/file_names.h"
#include "storage/schemas.h"
#include "storage/table.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace storage;
using storage::testing::TempFolder;

namespace {

struct HistoryRow
{
    std::string Nev;
    int32_t Idopont;
    std::string Szoveg;
    int32_t Nyelv, Fokozat, Kategoria, Kimenet, Pont, Hibak, Sugo, Napi;
};

// Rows that stress each column: the longest name and text, cp1250 letters, the ends of the integer range
// and every outcome code.
const std::vector<HistoryRow> Rows = {
    {"Anna", 29'400'000, "ASZTAL", 1, 1, 1, history::Won, 60, 0, 0, 1},
    {std::string(history::NameSize, 'N'), 0, std::string(history::TextSize, 'X'), 2, 4, 16, history::Lost,
     -20, 6, 1, 0},
    {"\xC1rp\xE1\x64", INT32_MAX, "\xD5SZ \xC9S T\xC9L", 1, 3, 7, history::GivenUp, INT32_MIN, 3, 1, 0},
    {"B\xE9la", 1, "ALMA", 1, 2, 2, history::Abandoned, 0, 1, 0, 0},
};

TEST(HistoryTable, NamesAndTextsHoldWhatTheRegisterAndTheListHold)
{
    const std::vector<Column> columns = historyColumns();
    ASSERT_EQ(columns.size(), size_t(history::Napi) + 1);
    EXPECT_EQ(columns[history::Nev].size, playerColumns()[player::Nev].size);
    EXPECT_EQ(columns[history::Szoveg].size, puzzleColumns()[puzzle::Szoveg].size);
}

TEST(HistoryTable, RoundsAreWrittenAndReadBackUnchanged)
{
    TempFolder folder;
    const std::string path = folder.file(HistoryFile);
    {
        Table t(historyColumns());
        t.setFilePath(path);
        t.open();
        for (const HistoryRow& r : Rows) {
            t.append();
            t.setString(history::Nev, r.Nev);
            t.setInt(history::Idopont, r.Idopont);
            t.setString(history::Szoveg, r.Szoveg);
            t.setInt(history::Nyelv, r.Nyelv);
            t.setInt(history::Fokozat, r.Fokozat);
            t.setInt(history::Kategoria, r.Kategoria);
            t.setInt(history::Kimenet, r.Kimenet);
            t.setInt(history::Pont, r.Pont);
            t.setInt(history::Hibak, r.Hibak);
            t.setInt(history::Sugo, r.Sugo);
            t.setInt(history::Napi, r.Napi);
            t.post();
        }
        ASSERT_TRUE(t.close().ok());
    }
    Table t(historyColumns());
    t.setFilePath(path);
    t.open();
    ASSERT_EQ(t.recordCount(), int(Rows.size()));
    for (int i = 0; i < t.recordCount(); ++i) {
        SCOPED_TRACE(i);
        const HistoryRow& r = Rows[size_t(i)];
        EXPECT_EQ(t.stringAt(i, history::Nev), r.Nev);
        EXPECT_EQ(t.intAt(i, history::Idopont), r.Idopont);
        EXPECT_EQ(t.stringAt(i, history::Szoveg), r.Szoveg);
        EXPECT_EQ(t.intAt(i, history::Nyelv), r.Nyelv);
        EXPECT_EQ(t.intAt(i, history::Fokozat), r.Fokozat);
        EXPECT_EQ(t.intAt(i, history::Kategoria), r.Kategoria);
        EXPECT_EQ(t.intAt(i, history::Kimenet), r.Kimenet);
        EXPECT_EQ(t.intAt(i, history::Pont), r.Pont);
        EXPECT_EQ(t.intAt(i, history::Hibak), r.Hibak);
        EXPECT_EQ(t.intAt(i, history::Sugo), r.Sugo);
        EXPECT_EQ(t.intAt(i, history::Napi), r.Napi);
    }
    t.closeWithoutSaving();
}

} // namespace
