// The draw's scan over the puzzle list: start, wrap-around, the number of tests and the resulting odds.
#include "game/puzzle_draw.h"

#include "storage/schemas.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

using namespace game;

namespace {

// A puzzle list in memory whose records are admitted or not at level 1 (Fokozat 1 or 4).
class DrawList : public ::testing::Test
{
protected:
    void fill(const std::vector<bool>& admitted)
    {
        table.open();
        for (size_t i = 0; i < admitted.size(); ++i) {
            table.append();
            table.setString(storage::puzzle::Szoveg, "P" + std::to_string(i));
            table.setInt(storage::puzzle::Nyelv, 1);
            table.setInt(storage::puzzle::Fokozat, admitted[i] ? 1 : 4);
            table.setInt(storage::puzzle::Kategoria, 1);
            table.post();
        }
    }
    int count() { return table.recordCount(); }
    std::string current() { return table.asString(storage::puzzle::Szoveg); }

    storage::Table table {storage::puzzleColumns()};
    const DrawChoice levelOne {1, 1, 65535, 1};
};

TEST_F(DrawList, TakesTheFirstAdmittedRecordFromTheStartWrappingAround)
{
    fill({true, false, false, true, false});
    struct Case
    {
        int start;
        const char* chosen;
        int64_t tests;
    };
    for (const Case& c : {Case {0, "P0", 1}, Case {1, "P3", 3}, Case {3, "P3", 1}, Case {4, "P0", 2}}) {
        const DrawResult result = drawPuzzle(table, count(), c.start, levelOne);
        EXPECT_TRUE(result.admitted) << c.start;
        EXPECT_EQ(current(), c.chosen) << c.start;
        EXPECT_EQ(result.tests, c.tests) << c.start;
    }
}

TEST_F(DrawList, ASingleRecordNotAdmittedIsTestedTwice)
{
    fill({false});
    const DrawResult result = drawPuzzle(table, 1, 0, levelOne);
    EXPECT_FALSE(result.admitted);
    EXPECT_EQ(result.tests, 2);
}

TEST_F(DrawList, NothingAdmittedMeansEveryRecordTestedAndTheStartOnceMore)
{
    fill({false, false, false, false});
    for (int start = 0; start < 4; ++start) {
        const DrawResult result = drawPuzzle(table, 4, start, levelOne);
        EXPECT_FALSE(result.admitted);
        EXPECT_EQ(result.tests, 5);
    }
}

TEST_F(DrawList, OnlyTheRecordBeforeTheStartAdmittedIsFoundAfterAFullTurn)
{
    fill({false, false, true, false, false, false});
    const DrawResult result = drawPuzzle(table, count(), 3, levelOne);
    EXPECT_TRUE(result.admitted);
    EXPECT_EQ(current(), "P2");
    EXPECT_EQ(result.tests, 6);
}

// The scan as the table's cursor walks it: first, moveBy, then test, next and back to first at the end.
DrawResult cursorWalk(storage::Table& t, int32_t count, int32_t start, const DrawChoice& choice)
{
    DrawResult result;
    t.first();
    t.moveBy(start);
    for (int64_t test = 0; test < int64_t {count} + 1; ++test) {
        ++result.tests;
        if (isAdmitted(choice, t.asInt(storage::puzzle::Fokozat), t.asInt(storage::puzzle::Nyelv),
                       t.asInt(storage::puzzle::Kategoria))) {
            result.admitted = true;
            return result;
        }
        t.next();
        if (t.eof())
            t.first();
    }
    return result;
}

TEST(DrawScan, ChoosesAsTheCursorWalkDoesOnRandomLists)
{
    std::mt19937 random(99);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int list = 0; list < 300; ++list) {
        storage::Table table(storage::puzzleColumns());
        table.open();
        const int n = pick(1, 30);
        for (int i = 0; i < n; ++i) {
            table.append();
            table.setString(storage::puzzle::Szoveg, "P" + std::to_string(i));
            table.setInt(storage::puzzle::Nyelv, pick(1, 2));
            table.setInt(storage::puzzle::Fokozat, pick(1, 4));
            if (pick(0, 9) == 0)
                table.clear(storage::puzzle::Kategoria); // a null reads as 0: never admitted
            else
                table.setInt(storage::puzzle::Kategoria, pick(0, 17));
            table.post();
        }
        const DrawChoice choice {pick(1, 4), pick(1, 3), pick(1, 65535), pick(0, 1)};
        const int start = pick(0, n - 1);
        const DrawResult expected = cursorWalk(table, n, start, choice);
        const int expectedPosition = table.currentPosition();
        const DrawResult got = drawPuzzle(table, n, start, choice);
        ASSERT_EQ(got.admitted, expected.admitted) << list;
        ASSERT_EQ(got.tests, expected.tests) << list;
        if (got.admitted) {
            ASSERT_EQ(table.currentPosition(), expectedPosition) << list;
        }
    }
}

TEST_F(DrawList, APendingEditIsPostedBeforeTheScanReadsIt)
{
    fill({false, false});
    table.first();
    table.edit();
    table.setInt(storage::puzzle::Fokozat, 1);
    const DrawResult result = drawPuzzle(table, 2, 1, levelOne);
    EXPECT_TRUE(result.admitted);
    EXPECT_EQ(current(), "P0");
    EXPECT_EQ(table.state(), storage::TableState::Browse);
}

TEST_F(DrawList, AnEmptyListDrawsNothing)
{
    fill({});
    EXPECT_FALSE(drawPuzzle(table, 0, 0, levelOne).admitted);
}

// An admitted record is drawn with odds proportional to one plus the run of not admitted records
// directly before it (cyclically). Chi-square over a fixed-seed sample, with a generous bound.
TEST_F(DrawList, DrawOddsFollowTheRunOfRefusedRecordsBeforeEach)
{
    const std::vector<bool> admitted = {false, true,  false, false, false, true,  true,  false,
                                        true,  false, false, true,  false, false, false, false};
    fill(admitted);
    const int n = count();
    std::map<std::string, double> weight;
    for (int i = 0; i < n; ++i) {
        if (!admitted[size_t(i)])
            continue;
        int run = 0;
        for (int j = (i + n - 1) % n; !admitted[size_t(j)]; j = (j + n - 1) % n)
            ++run;
        weight["P" + std::to_string(i)] = 1.0 + run;
    }

    std::mt19937 random(20240613);
    std::map<std::string, int> drawn;
    constexpr int draws = 32000;
    for (int d = 0; d < draws; ++d) {
        const int start = std::uniform_int_distribution<int32_t>(0, n - 1)(random);
        ASSERT_TRUE(drawPuzzle(table, n, start, levelOne).admitted);
        ++drawn[current()];
    }

    double chiSquare = 0;
    for (const auto& [name, w] : weight) {
        const double expected = draws * w / n;
        const double diff = drawn[name] - expected;
        chiSquare += diff * diff / expected;
    }
    EXPECT_EQ(drawn.size(), weight.size()); // nothing refused was ever drawn
    // 5 degrees of freedom: 20.5 is the 0.1 % point.
    EXPECT_LT(chiSquare, 20.5);
}

} // namespace
