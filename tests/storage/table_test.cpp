#include "player_table.h"
#include "storage/storage_error.h"
#include "temp_folder.h"

#include <array>
#include <climits>
#include <stdexcept>

using namespace storage;

namespace {

class PlayerTable : public storage::testing::PlayerTableTest
{
protected:
    std::vector<std::string> names()
    {
        std::vector<std::string> out;
        for (int i = 0; i < t.recordCount(); ++i)
            out.push_back(cp1250::toUtf8(t.stringAt(i, player::Nev)));
        return out;
    }
    template <typename F>
    std::string messageOf(F&& action)
    {
        try {
            action();
        } catch (const StorageError& e) {
            return e.what();
        }
        return {};
    }
};

} // namespace

TEST_F(PlayerTable, TheCursorStopsOnTheLastRecordAndRaisesTheEndFlag)
{
    add("Anna");
    add("Bea");
    t.first();
    EXPECT_FALSE(t.eof());
    t.moveBy(0);
    EXPECT_EQ(current(), "Anna");
    t.next();
    EXPECT_EQ(current(), "Bea");
    EXPECT_FALSE(t.eof());
    t.next();
    EXPECT_EQ(current(), "Bea");
    EXPECT_TRUE(t.eof());
    t.first();
    EXPECT_FALSE(t.eof());
    t.moveBy(5);
    EXPECT_EQ(current(), "Bea");
    EXPECT_TRUE(t.eof());
}

TEST_F(PlayerTable, AnEmptyTableIsAtItsEndAndReadsNulls)
{
    t.first();
    EXPECT_TRUE(t.eof());
    EXPECT_TRUE(t.isEmpty());
    EXPECT_TRUE(t.isNull(player::Nev));
    EXPECT_EQ(t.asInt(player::OsszPont), 0);
    EXPECT_EQ(t.currentPosition(), -1);
}

TEST_F(PlayerTable, ANewPlayerStartsFromTheDefaultsAndAnEmptyNameIsAValue)
{
    t.append();
    EXPECT_EQ(t.state(), TableState::Insert);
    EXPECT_TRUE(t.isNull(player::Nev));
    EXPECT_FALSE(t.isNull(player::OsszPont));
    EXPECT_EQ(t.recordCount(), 0); // visible only after post
    t.setString(player::Nev, "");
    t.post();
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_FALSE(t.isNull(player::Nev));
    EXPECT_EQ(t.asInt(player::OsszPont), 0);
    EXPECT_EQ(t.asInt(player::Jatszott), 0);
    EXPECT_EQ(t.asInt(player::Atlag), 0);
}

TEST_F(PlayerTable, PostWithoutANameNamesTheColumnToFocus)
{
    t.append();
    t.setInt(player::OsszPont, 5);
    try {
        t.post();
        FAIL() << "posted";
    } catch (const RequiredFieldError& e) {
        EXPECT_STREQ(e.what(), "Field 'Név' must have a value");
        EXPECT_EQ(e.column(), "Nev");
    }
    EXPECT_EQ(t.state(), TableState::Insert);
    EXPECT_EQ(t.asInt(player::OsszPont), 5);
    t.cancel();
    EXPECT_EQ(t.recordCount(), 0);
}

TEST_F(PlayerTable, WritesOutsideAnEditAndToTheAverageAreRefused)
{
    add("Anna");
    EXPECT_EQ(messageOf([&] { t.setInt(player::OsszPont, 1); }), "Dataset is not in edit mode.");
    t.edit();
    EXPECT_EQ(messageOf([&] { t.setInt(player::Atlag, 1); }), "Field Átlag pontszám is read only");
    EXPECT_EQ(messageOf([&] { t.selectSortOrder("iPont"); }), "Index iPont does not exist");
    EXPECT_TRUE(t.close().ok());
    EXPECT_EQ(messageOf([&] { t.recordCount(); }), "Cannot perform this operation on a closed dataset");
}

TEST_F(PlayerTable, TheAverageFollowsEveryChangeAndTruncatesTowardZero)
{
    t.append();
    t.setString(player::Nev, "Anna");
    t.setInt(player::OsszPont, -7);
    t.setInt(player::Jatszott, 2);
    EXPECT_EQ(t.asInt(player::Atlag), -3); // while still being edited
    t.post();
    EXPECT_EQ(t.asInt(player::Atlag), -3);
    EXPECT_EQ(averageScore(INT_MIN, -1), INT_MAX);
    EXPECT_EQ(averageScore(10, 0), 0);
    EXPECT_EQ(averageScore(7, -2), -3);
}

TEST_F(PlayerTable, NamesSortTheHungarianWay)
{
    for (const char* name : {"Zsófi", "Anna", "Csaba", "Cecília", "Ádám", "Zoltán"})
        add(name);
    t.selectSortOrder("iNev");
    EXPECT_EQ(names(), (std::vector<std::string> {"Ádám", "Anna", "Cecília", "Csaba", "Zoltán", "Zsófi"}));
}

TEST_F(PlayerTable, ARisingTotalMovesThePlayerToTheTopAndKeepsItCurrent)
{
    add("Anna", 30);
    add("Bea", 20);
    add("Cili", 10);
    t.selectSortOrder("IOSSZPONT"); // names match without regard to case
    ASSERT_TRUE(t.locate("Nev", "Cili"));
    t.edit();
    t.setInt(player::OsszPont, 100);
    t.post();
    EXPECT_EQ(names(), (std::vector<std::string> {"Cili", "Anna", "Bea"}));
    EXPECT_EQ(current(), "Cili");
    EXPECT_EQ(t.currentPosition(), 0);
}

TEST_F(PlayerTable, SelectingAnOrderKeepsTheCurrentPlayer)
{
    add("Bea", 10, 5);
    add("Anna", 30, 1);
    add("Cili", 20, 3);
    ASSERT_TRUE(t.locate("Nev", "Cili"));
    for (const char* order : {"iNev", "iOsszPont", "iJatszott", "iAtlag", ""}) {
        t.selectSortOrder(order);
        EXPECT_EQ(current(), "Cili") << order;
        EXPECT_EQ(t.activeOrderName(), order);
    }
    t.selectSortOrder("iJatszott");
    EXPECT_EQ(names(), (std::vector<std::string> {"Anna", "Cili", "Bea"}));
}

TEST_F(PlayerTable, EqualKeysKeepTheirInsertionSequenceReversedWhenDescending)
{
    add("Anna", 5, 1);
    add("Bea", 5, 2);
    add("Cili", 5, 1);
    t.selectSortOrder("iJatszott");
    EXPECT_EQ(names(), (std::vector<std::string> {"Anna", "Cili", "Bea"}));
    t.selectSortOrder("iOsszPont");
    EXPECT_EQ(names(), (std::vector<std::string> {"Cili", "Bea", "Anna"}));
}

TEST_F(PlayerTable, LocateMatchesTheWholeNameWithItsCase)
{
    add("Anna");
    add("Bea");
    t.first();
    EXPECT_FALSE(t.locate("Nev", "bea"));
    EXPECT_EQ(current(), "Anna");
    EXPECT_FALSE(t.locate("Nev", "Be"));
    EXPECT_TRUE(t.locate("Nev", "Bea"));
    EXPECT_EQ(current(), "Bea");
}

TEST_F(PlayerTable, DeleteMakesTheFollowingOrTheNewLastRecordCurrent)
{
    add("Anna");
    add("Bea");
    add("Cili");
    t.selectSortOrder("iNev");
    t.locate("Nev", "Anna");
    t.deleteRecord();
    EXPECT_EQ(current(), "Bea");
    t.locate("Nev", "Cili");
    t.deleteRecord();
    EXPECT_EQ(current(), "Bea");
    t.deleteRecord();
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_TRUE(t.isEmpty());
    t.selectSortOrder(""); // the insertion order lost them too
    EXPECT_TRUE(t.isEmpty());
}

TEST_F(PlayerTable, RefreshPostsAChangeAndCancelsAnUntouchedInsert)
{
    add("Anna", 1);
    t.edit();
    t.setInt(player::OsszPont, 9);
    t.refresh();
    EXPECT_EQ(t.state(), TableState::Browse);
    EXPECT_EQ(t.asInt(player::OsszPont), 9);
    t.append();
    t.refresh();
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(current(), "Anna");
    t.edit();
    t.setInt(player::OsszPont, 50);
    t.cancel();
    EXPECT_EQ(t.asInt(player::OsszPont), 9);
}

TEST_F(PlayerTable, TextIsCutToTheColumnAndAtAZeroByte)
{
    t.append();
    t.setString(player::Nev, std::string(30, 'x'));
    EXPECT_EQ(t.asString(player::Nev), std::string(20, 'x'));
    t.setString(player::Nev, std::string("Ab\0cd", 5));
    EXPECT_EQ(t.asString(player::Nev), "Ab");
    t.clear(player::Nev);
    EXPECT_TRUE(t.isNull(player::Nev));
}

TEST(PuzzleTable, TheDrawSequenceVisitsRecordsInFileOrderWithWrap)
{
    Table t(puzzleColumns());
    t.open();
    for (int i = 0; i < 5; ++i) {
        t.append();
        t.setInt(puzzle::Nyelv, i);
        t.post();
    }
    t.first();
    t.moveBy(3);
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        seen.push_back(t.asInt(puzzle::Nyelv));
        t.next();
        if (t.eof())
            t.first();
    }
    EXPECT_EQ(seen, (std::vector<int> {3, 4, 0, 1, 2}));
}

TEST_F(PlayerTable, ReorderingChangesTheInsertionOrderOnlyAndRefusesAnythingButAPermutation)
{
    add("Cecil");
    add("Anna");
    add("Béla");
    t.selectSortOrder("");
    t.reorderRecords({2, 0, 1});
    EXPECT_EQ(names(), (std::vector<std::string> {"Béla", "Cecil", "Anna"}));
    EXPECT_EQ(current(), "Béla");
    t.selectSortOrder("iNev");
    EXPECT_EQ(names(), (std::vector<std::string> {"Anna", "Béla", "Cecil"}));
    t.selectSortOrder("");
    for (const std::vector<int>& wrong :
         {std::vector<int> {0, 1}, {0, 1, 1}, {0, 1, 3}, {0, 1, 2, 0}, {-1, 0, 1}})
        EXPECT_EQ(messageOf([&] { t.reorderRecords(wrong); }), "The new order must name every record once");
    EXPECT_EQ(names(), (std::vector<std::string> {"Béla", "Cecil", "Anna"}));
}

// A record's texts are kept one after the other, with lengths packed by the widest column: editing any one
// of them, to longer, shorter, empty or null, leaves the others as they were, through a save and a reload.
TEST(TextColumns, EditingOneTextKeepsTheOthersAtEveryLengthWidth)
{
    storage::testing::TempFolder folder;
    for (const int wide : {20, 300, 70000}) {
        std::vector<Column> columns(4);
        const int sizes[] = {10, wide, 0, 50};
        for (size_t i = 0; i < columns.size(); ++i) {
            columns[i].name = "T" + std::to_string(i);
            columns[i].size = sizes[i];
        }
        columns[2].type = ColumnType::Integer;
        const std::string path = folder.file("texts" + std::to_string(wide) + ".tab");
        std::vector<std::vector<std::string>> expected;
        {
            Table t(columns);
            t.setFilePath(path);
            t.open();
            for (int r = 0; r < 3; ++r) {
                t.append();
                t.setString(0, "first" + std::to_string(r));
                t.setString(1, std::string(size_t(wide), char('a' + r)));
                t.setInt(2, r);
                t.setString(3, "last" + std::to_string(r));
                t.post();
                expected.push_back({"first" + std::to_string(r), std::string(size_t(wide), char('a' + r)), "",
                                    "last" + std::to_string(r)});
            }
            struct Edit
            {
                int record, column;
                std::string text; // "-" clears the column
            };
            const Edit edits[] = {{1, 0, "x"}, {1, 1, "middle"}, {0, 3, "a much longer last text"},
                                  {2, 1, ""},  {2, 0, "-"},      {0, 1, std::string(size_t(wide), 'z')},
                                  {1, 3, "-"}};
            for (const Edit& e : edits) {
                t.moveTo(e.record);
                t.edit();
                if (e.text == "-")
                    t.clear(e.column);
                else
                    t.setString(e.column, e.text);
                t.post();
                expected[size_t(e.record)][size_t(e.column)] = e.text == "-" ? "" : e.text;
                for (int r = 0; r < 3; ++r)
                    for (const int c : {0, 1, 3}) {
                        EXPECT_EQ(t.stringAt(r, c), expected[size_t(r)][size_t(c)])
                            << "width " << wide << ", record " << r << ", column " << c;
                        // The view the draw scans with reads the same text in place.
                        EXPECT_EQ(t.textAt(r, c), expected[size_t(r)][size_t(c)])
                            << "view, width " << wide << ", record " << r << ", column " << c;
                    }
            }
            ASSERT_TRUE(t.close().ok());
        }
        Table reread(columns);
        reread.setFilePath(path);
        reread.open();
        ASSERT_EQ(reread.recordCount(), 3);
        for (int r = 0; r < 3; ++r)
            for (const int c : {0, 1, 3})
                EXPECT_EQ(reread.stringAt(r, c), expected[size_t(r)][size_t(c)])
                    << "reloaded, width " << wide << ", record " << r << ", column " << c;
        EXPECT_TRUE(reread.isNullAt(2, 0));
        EXPECT_TRUE(reread.isNullAt(1, 3));
        reread.closeWithoutSaving();
    }
}

// A calculated column reads the stored integers of its own record; any other shape is refused when the table
// is made, before it could read the wrong slot.
TEST(CalculatedColumns, OnlyAnIntegerWorkedOutFromTwoIntegerDataColumnsIsAllowed)
{
    struct Row
    {
        const char* what;
        ColumnType type;
        std::array<int, 2> from;
        bool allowed;
    };
    for (const Row& row : {Row {"an integer from two integers", ColumnType::Integer, {0, 1}, true},
                           Row {"a text column", ColumnType::String, {0, 1}, false},
                           Row {"from a text column", ColumnType::Integer, {0, 2}, false},
                           Row {"from a column that is not there", ColumnType::Integer, {0, 4}, false},
                           Row {"from no column", ColumnType::Integer, {-1, 1}, false},
                           Row {"from itself", ColumnType::Integer, {3, 1}, false}}) {
        SCOPED_TRACE(row.what);
        std::vector<Column> columns(4);
        for (size_t i = 0; i < columns.size(); ++i)
            columns[i].name = std::string(1, char('A' + i));
        columns[0].type = columns[1].type = ColumnType::Integer;
        columns[2].size = 5;
        columns[3].type = row.type;
        columns[3].calculate = [](int32_t a, int32_t b) { return a - b; };
        columns[3].calculatedFrom = row.from;
        if (!row.allowed) {
            EXPECT_THROW(Table {columns}, std::invalid_argument);
            continue;
        }
        Table t(columns);
        t.open();
        t.append();
        EXPECT_EQ(t.asInt(3), 0); // both inputs null
        t.setInt(0, 2);
        t.setInt(1, 5);
        EXPECT_EQ(t.asInt(3), -3);
        t.post();
        EXPECT_EQ(t.intAt(0, 3), -3);
        EXPECT_FALSE(t.isNullAt(0, 3));
    }
}
