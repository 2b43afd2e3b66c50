// Record identity and the integer column view: what code outside the table uses to follow a record and to
// scan a column without moving the cursor.
#include "player_table.h"
#include "storage/int_column_view.h"
#include "storage/storage_error.h"

#include <random>
#include <stdexcept>

using namespace storage;

namespace {

using Register = storage::testing::PlayerTableTest;

// Every position of the view against the table's own checked read.
void expectViewMatchesTable(const Table& table, int column)
{
    const IntColumnView view(table, column);
    ASSERT_EQ(view.count(), table.recordCount());
    for (int position = 0; position < view.count(); ++position)
        ASSERT_EQ(view.at(position), table.intAt(position, column)) << "position " << position;
}

} // namespace

TEST_F(Register, ARecordKeepsItsIdentityThroughResortsEditsAndOtherDeletes)
{
    const auto anna = add("Anna", 30);
    const auto bea = add("Bea", 10);
    const auto cili = add("Cili", 20);
    EXPECT_NE(anna, bea);
    EXPECT_NE(bea, cili);

    t.selectSortOrder("iOsszPont");
    ASSERT_TRUE(t.moveToRecord(bea));
    EXPECT_EQ(current(), "Bea");
    EXPECT_EQ(t.currentPosition(), 2);

    t.edit();
    t.setString(player::Nev, "Zita");
    t.setInt(player::OsszPont, 99); // moves to the top of the order
    t.post();
    EXPECT_EQ(t.currentRecordId(), bea);

    ASSERT_TRUE(t.moveToRecord(anna));
    t.deleteRecord();
    ASSERT_TRUE(t.moveToRecord(bea));
    EXPECT_EQ(current(), "Zita");
    ASSERT_TRUE(t.moveToRecord(cili));
    EXPECT_EQ(current(), "Cili");
}

TEST_F(Register, ADeletedRecordIsNotFoundAndItsIdentityIsNotReused)
{
    const auto anna = add("Anna");
    add("Bea");
    ASSERT_TRUE(t.moveToRecord(anna));
    t.deleteRecord();
    EXPECT_EQ(current(), "Bea");

    EXPECT_FALSE(t.moveToRecord(anna));
    EXPECT_EQ(current(), "Bea"); // the cursor stays
    EXPECT_FALSE(t.moveToRecord(12345));

    const auto dora = add("Dóra");
    EXPECT_NE(dora, anna);
    EXPECT_FALSE(t.moveToRecord(anna));
}

TEST_F(Register, NoIdentityWithoutACurrentRecordWhileInsertingOrClosed)
{
    EXPECT_FALSE(t.currentRecordId().has_value()); // empty
    add("Anna");
    t.append();
    EXPECT_FALSE(t.currentRecordId().has_value()); // the new record has none before it is posted
    t.setString(player::Nev, "Bea");
    t.post();
    const auto bea = t.currentRecordId();
    ASSERT_TRUE(bea.has_value());
    t.edit();
    EXPECT_EQ(t.currentRecordId(), bea); // an edited record keeps its own

    EXPECT_TRUE(t.close().ok());
    EXPECT_FALSE(t.currentRecordId().has_value());
    EXPECT_FALSE(t.moveToRecord(*bea));
}

TEST_F(Register, MovingToARecordPostsAPendingEditBeforeFindingItsPlace)
{
    add("Anna", 10);
    const auto bea = add("Bea", 20);
    const auto cili = add("Cili", 30);
    t.selectSortOrder("iOsszPont"); // Cili, Bea, Anna

    ASSERT_TRUE(t.moveToRecord(cili));
    t.edit();
    t.setInt(player::OsszPont, 0); // posting moves Cili to the end: Bea is first then, not second
    ASSERT_TRUE(t.moveToRecord(bea));
    EXPECT_EQ(t.state(), TableState::Browse);
    EXPECT_EQ(current(), "Bea");
    EXPECT_EQ(t.intAt(2, player::OsszPont), 0);

    // A record that is gone leaves a pending edit alone.
    ASSERT_TRUE(t.moveToRecord(cili));
    t.deleteRecord();
    t.edit();
    t.setInt(player::OsszPont, 5);
    EXPECT_FALSE(t.moveToRecord(cili));
    EXPECT_EQ(t.state(), TableState::Edit);
    EXPECT_EQ(t.asInt(player::OsszPont), 5);
}

TEST_F(Register, TheColumnViewReadsWhatTheTableReadsInEveryOrderAndAfterDeletes)
{
    std::mt19937 random(17);
    for (int i = 0; i < 300; ++i) {
        t.append();
        t.setString(player::Nev, "N" + std::to_string(random() % 1000));
        t.setInt(player::OsszPont, int(random() % 2001) - 1000);
        if (random() % 5 == 0)
            t.clear(player::OsszPont); // null reads as 0
        t.post();
    }
    t.selectSortOrder(""); // insertion order, nothing deleted yet
    expectViewMatchesTable(t, player::OsszPont);
    expectViewMatchesTable(t, player::Atlag);
    t.selectSortOrder("iOsszPont");
    expectViewMatchesTable(t, player::OsszPont);

    for (int i = 0; i < 40; ++i) {
        t.moveTo(int(random() % uint32_t(t.recordCount())));
        t.deleteRecord();
    }
    expectViewMatchesTable(t, player::OsszPont);
    t.selectSortOrder("");
    expectViewMatchesTable(t, player::OsszPont);
    expectViewMatchesTable(t, player::Jatszott);
}

TEST(IntColumnView, NullFlagsBeyondTheFirstWordAndRefusedColumns)
{
    std::vector<Column> columns(40);
    for (size_t i = 0; i < columns.size(); ++i) {
        columns[i].name = "C" + std::to_string(i);
        columns[i].type = ColumnType::Integer;
    }
    columns[3].type = ColumnType::String;
    columns[3].size = 10;
    Table t(columns);
    EXPECT_THROW(IntColumnView(t, 35), StorageError); // closed
    t.open();
    EXPECT_EQ(IntColumnView(t, 35).count(), 0);
    for (int i = 0; i < 6; ++i) {
        t.append();
        t.setInt(34, 100 + i);
        if (i % 2 == 0)
            t.setInt(35, -i - 1);
        t.setInt(36, 7);
        t.post();
    }
    expectViewMatchesTable(t, 35);
    const IntColumnView view(t, 35);
    EXPECT_EQ(view.at(0), -1);
    EXPECT_EQ(view.at(1), 0);
    EXPECT_EQ(IntColumnView(t, 34).at(5), 105);

    EXPECT_THROW(IntColumnView(t, 3), std::logic_error);
    EXPECT_THROW(IntColumnView(t, 40), StorageError);
    EXPECT_THROW(IntColumnView(t, -1), StorageError);
}
