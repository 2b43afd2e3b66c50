// The register rules without windows: totals go to the record followed by identity, not position; names
// are found exactly. (Identity itself is the table's, tested with it.)
#include "players/player_register.h"
#include "storage/schemas.h"

#include <gtest/gtest.h>

namespace {

using storage::Table;

struct Player
{
    const char* name;
    int32_t total;
    int32_t rounds;
};

// An in-memory register (no file) in name order.
class Register : public ::testing::Test
{
protected:
    Register()
    {
        storage::configurePlayerRegister(table);
        table.open();
    }
    void add(std::initializer_list<Player> players)
    {
        for (const Player& p : players) {
            table.append();
            table.setString(storage::player::Nev, p.name);
            table.setInt(storage::player::OsszPont, p.total);
            table.setInt(storage::player::Jatszott, p.rounds);
            table.post();
        }
    }
    players::RecordId idOf(const char* name)
    {
        EXPECT_TRUE(players::locateByName(table, name)) << name;
        return players::currentRecordId(table);
    }
    std::string currentName() const { return table.asString(storage::player::Nev); }
    int32_t totalOf(const char* name)
    {
        EXPECT_TRUE(players::locateByName(table, name)) << name;
        return table.asInt(storage::player::OsszPont);
    }

    Table table {storage::playerColumns()};
};

TEST_F(Register, WriteTotalsHitsOnlyTheTrackedRecordAndKeepsTheCursor)
{
    add({{"Anna", 10, 1}, {"Anna", 90, 9}, {"Bea", 30, 3}});
    table.selectSortOrder("iOsszPont");
    table.first(); // the second Anna (90)
    const players::RecordId richAnna = players::currentRecordId(table);
    ASSERT_TRUE(players::locateByName(table, "Bea"));

    // The write moves the record to the other end of the order; the cursor stays on Bea.
    ASSERT_TRUE(players::writeTotals(table, richAnna, -5, 10));
    EXPECT_EQ(currentName(), "Bea");
    ASSERT_TRUE(players::moveToRecord(table, richAnna));
    EXPECT_EQ(table.asInt(storage::player::OsszPont), -5);
    EXPECT_EQ(table.asInt(storage::player::Jatszott), 10);
    EXPECT_EQ(table.asInt(storage::player::Atlag), 0); // -5 / 10 truncates toward zero
    table.selectSortOrder("iNev");
    table.first();
    EXPECT_EQ(table.asInt(storage::player::OsszPont), 10) << "the other Anna is untouched";
}

TEST_F(Register, WriteTotalsIntoADeletedRecordWritesNothing)
{
    add({{"Anna", 10, 1}, {"Bea", 30, 3}});
    const players::RecordId anna = idOf("Anna");
    table.deleteRecord();
    EXPECT_FALSE(players::writeTotals(table, anna, 99, 9));
    EXPECT_FALSE(players::writeTotals(table, players::NoRecord, 99, 9));
    EXPECT_EQ(totalOf("Bea"), 30);
}

TEST_F(Register, LocateByNameCountsLetterCaseAndFindsNoEmptyOrOverlongName)
{
    add({{"anna", 1, 1},
         {"", 2, 2},
         {"Anna", 3, 3},
         {"Zsuzsanna Kov\xE1"
          "csn\xE9 K",
          4, 4}});
    EXPECT_EQ(totalOf("Anna"), 3);
    EXPECT_EQ(totalOf("anna"), 1);
    EXPECT_EQ(totalOf("Zsuzsanna Kov\xE1"
                      "csn\xE9 K"),
              4);
    ASSERT_TRUE(players::locateByName(table, "Anna"));
    for (const char* nobody : {"", "Ann", "Anna ",
                               "Zsuzsanna Kov\xE1"
                               "csn\xE9 Ki"})
        EXPECT_FALSE(players::locateByName(table, nobody)) << nobody;
    EXPECT_EQ(currentName(), "Anna") << "a name not found leaves the cursor where it was";
}

TEST(PlayerName, BlankMeansNoCharacterAboveASpace)
{
    for (const char* blank : {"", "    ", "\t", " \x01\x1F "})
        EXPECT_TRUE(players::isBlankName(blank)) << blank;
    for (const char* name : {" B ", "\xC1", "\t.", "\xA0"})
        EXPECT_FALSE(players::isBlankName(name)) << name;
}

} // namespace
