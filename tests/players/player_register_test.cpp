// The register rules without windows: totals go to the record followed by identity, not position; names
// are found exactly. (Identity itself is the table's, tested with it.)
#include "players/player_register.h"
#include "storage/schemas.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

using storage::Table;

struct Player
{
    const char* name;
    int32_t total;
    int32_t rounds;
};

void addPlayers(Table& table, std::initializer_list<Player> players)
{
    for (const Player& p : players) {
        table.append();
        table.setString(storage::player::Nev, p.name);
        table.setInt(storage::player::OsszPont, p.total);
        table.setInt(storage::player::Jatszott, p.rounds);
        table.post();
    }
}

// An in-memory register (no file) in name order.
class Register : public ::testing::Test
{
protected:
    Register()
    {
        storage::configurePlayerRegister(table);
        table.open();
    }
    void add(std::initializer_list<Player> players) { addPlayers(table, players); }
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

// The game's register: which record is the current player's, whatever the dialog does with the cursor.
class GameRegister : public ::testing::Test
{
protected:
    GameRegister() { reg.open(""); } // in memory
    void add(std::initializer_list<Player> players) { addPlayers(reg.table(), players); }
    // The figures of the record named `name` (the first such in name order), the cursor left where it was.
    players::PlayerFigures figuresOf(const char* name)
    {
        storage::Table& table = reg.table();
        for (int row = 0; row < table.recordCount(); ++row) {
            if (table.stringAt(row, storage::player::Nev) == name)
                return {name, table.intAt(row, storage::player::OsszPont),
                        table.intAt(row, storage::player::Jatszott)};
        }
        ADD_FAILURE() << "no record " << name;
        return {};
    }
    void selectRow(const char* name) { ASSERT_TRUE(players::locateByName(reg.table(), name)) << name; }

    players::Register reg;
};

TEST_F(GameRegister, RestoreNeedsTheExactNameAndMakesThatPlayerCurrent)
{
    add({{"anna", 1, 1}, {"Anna", 3, 3}});
    for (const char* nobody : {"", "ANNA", "Ann", "Bea"}) {
        EXPECT_FALSE(reg.restore(nobody)) << nobody;
        EXPECT_FALSE(reg.hasCurrentPlayer()) << nobody;
    }
    const auto anna = reg.restore("Anna");
    ASSERT_TRUE(anna);
    EXPECT_EQ(anna->total, 3);
    EXPECT_EQ(anna->rounds, 3);
    EXPECT_TRUE(reg.hasCurrentPlayer());
}

TEST_F(GameRegister, TotalsLandInTheCurrentPlayersOwnRecordWhateverRowIsSelected)
{
    add({{"Anna", 10, 1}, {"Bea", 20, 2}});
    reg.storeTotals(99, 9); // nobody is current: nothing is written
    EXPECT_EQ(figuresOf("Anna").total, 10);
    EXPECT_EQ(figuresOf("Bea").total, 20);

    ASSERT_TRUE(reg.restore("Anna"));
    reg.table().selectSortOrder("iOsszPont");
    selectRow("Bea");
    reg.storeTotals(55, 4);
    EXPECT_EQ(figuresOf("Anna").total, 55);
    EXPECT_EQ(figuresOf("Anna").rounds, 4);
    EXPECT_EQ(figuresOf("Bea").total, 20);
    EXPECT_EQ(figuresOf("Bea").rounds, 2);
    EXPECT_EQ(reg.table().asString(storage::player::Nev), "Bea") << "the cursor stays on the selected row";
}

TEST_F(GameRegister, ChoosingFirstWritesTheCurrentPlayersGainsBack)
{
    add({{"Anna", 10, 1}, {"Bea", 20, 2}});
    ASSERT_TRUE(reg.restore("Anna"));
    // The same player again: the gains are kept.
    const players::PlayerFigures again = reg.choose(30, 3);
    EXPECT_EQ(again.name, "Anna");
    EXPECT_EQ(again.total, 30);
    EXPECT_EQ(again.rounds, 3);

    selectRow("Bea");
    const players::PlayerFigures bea = reg.choose(45, 4);
    EXPECT_EQ(bea.name, "Bea");
    EXPECT_EQ(bea.total, 20);
    EXPECT_EQ(figuresOf("Anna").total, 45) << "Anna's gains were written when Bea was chosen";
    EXPECT_EQ(figuresOf("Anna").rounds, 4);
    reg.storeTotals(26, 3);
    EXPECT_EQ(figuresOf("Bea").total, 26);
    EXPECT_EQ(figuresOf("Anna").total, 45);
}

TEST_F(GameRegister, ADeletedCurrentPlayerGetsNoRecordWritten)
{
    add({{"Anna", 10, 1}, {"Bea", 20, 2}, {"Cili", 30, 3}});
    ASSERT_TRUE(reg.restore("Anna"));
    selectRow("Cili");
    EXPECT_FALSE(reg.deleteSelected()) << "another player's record";
    EXPECT_TRUE(reg.hasCurrentPlayer());
    selectRow("Anna");
    EXPECT_TRUE(reg.deleteSelected());
    EXPECT_FALSE(reg.hasCurrentPlayer());
    reg.storeTotals(77, 7);
    ASSERT_EQ(reg.table().recordCount(), 1);
    EXPECT_EQ(figuresOf("Bea").total, 20);
}

TEST(GameRegisterFile, ADamagedFileIsNamedKeptAsABackupAndClosingSaysSo)
{
    const std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("register-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "Brumvelda.jat").string();
    std::ofstream(path) << "not a table file at all";

    players::Register reg;
    try {
        reg.open(path);
        ADD_FAILURE() << "a damaged register opened";
    } catch (const std::exception& error) {
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    }
    EXPECT_TRUE(reg.loadFailed());
    const storage::SaveOutcome closed = reg.close();
    EXPECT_TRUE(closed.ok()) << closed.error;
    EXPECT_FALSE(closed.keptBackup.empty());
    EXPECT_TRUE(std::filesystem::exists(closed.keptBackup));
    EXPECT_FALSE(reg.isOpen());
    std::filesystem::remove_all(folder);
}

TEST(PlayerName, BlankMeansNoCharacterAboveASpace)
{
    for (const char* blank : {"", "    ", "\t", " \x01\x1F "})
        EXPECT_TRUE(players::isBlankName(blank)) << blank;
    for (const char* name : {" B ", "\xC1", "\t.", "\xA0"})
        EXPECT_FALSE(players::isBlankName(name)) << name;
}

} // namespace
