// The calendar arithmetic, the puzzle of the day and the skip of puzzles met too recently.
#include "game/calendar.h"
#include "game/daily_puzzle.h"
#include "game/puzzle_draw.h"

#include "storage/schemas.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace game;

namespace {

TEST(Calendar, DayNumbersWeeksAndMonths)
{
    struct Case
    {
        CivilDate date;
        int32_t day;
        CivilDate monday; // of its ISO week
    };
    const Case cases[] = {
        {{1970, 1, 1}, 0, {1969, 12, 29}}, // a Thursday
        {{1969, 12, 31}, -1, {1969, 12, 29}},
        {{2000, 2, 29}, 11016, {2000, 2, 28}},
        {{2000, 3, 1}, 11017, {2000, 2, 28}},
        {{2024, 12, 29}, 20086, {2024, 12, 23}}, // a Sunday: its week began the Monday before
        {{2024, 12, 30}, 20087, {2024, 12, 30}}, // a Monday
        {{2026, 12, 7}, 20794, {2026, 12, 7}},
        {{2100, 3, 1}, 47541, {2100, 3, 1}}, // 2100 is not a leap year
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day);
        EXPECT_EQ(dayNumber(c.date), c.day);
        EXPECT_EQ(civilDate(c.day), c.date);
        EXPECT_EQ(weekStart(c.day), dayNumber(c.monday));
        EXPECT_EQ(monthStart(c.day), dayNumber({c.date.year, c.date.month, 1}));
    }
    // Every day of a span round-trips, and a week always starts 0..6 days back on a Monday.
    for (int32_t day = -800; day < 800; ++day) {
        ASSERT_EQ(dayNumber(civilDate(day)), day);
        ASSERT_LE(day - weekStart(day), 6);
        ASSERT_GE(day - weekStart(day), 0);
        ASSERT_EQ(weekStart(weekStart(day)), weekStart(day));
    }
    EXPECT_EQ(dayOfMinutes(localMinutes({2026, 12, 7}, 23, 59)), 20794);
    EXPECT_EQ(dayOfMinutes(localMinutes({2026, 12, 8}, 0, 0)), 20795);
    EXPECT_EQ(dayOfMinutes(localMinutes({1969, 12, 31}, 23, 59)), -1);
}

// A puzzle list in memory: (text, language, level) per record.
struct Puzzle
{
    std::string text;
    int32_t language;
    int32_t level;
};
class DailyList : public ::testing::Test
{
protected:
    void fill(const std::vector<Puzzle>& puzzles)
    {
        table.open();
        for (const Puzzle& p : puzzles) {
            table.append();
            table.setString(storage::puzzle::Szoveg, p.text);
            table.setInt(storage::puzzle::Nyelv, p.language);
            table.setInt(storage::puzzle::Fokozat, p.level);
            table.setInt(storage::puzzle::Kategoria, 1);
            table.post();
        }
    }
    std::string textOf(int position) { return position < 0 ? "" : table.stringAt(position, 0); }
    storage::Table table {storage::puzzleColumns()};
};

TEST(DailySeed, IsDefinedByTheDateLanguageAndLevelAlone)
{
    // Worked out apart from the game from the key's bytes, so a change of the hash (which would give every
    // family a different puzzle than the other editions of the game) fails here.
    EXPECT_EQ(dailySeed({2026, 12, 7}, 1, 2), 0xFAD2C30Du);
    EXPECT_EQ(dailySeed({2027, 1, 1}, 2, 4), 0x96281A95u);
    EXPECT_NE(dailySeed({2026, 12, 7}, 1, 2), dailySeed({2026, 12, 7}, 2, 2));
    EXPECT_NE(dailySeed({2026, 12, 7}, 1, 2), dailySeed({2026, 12, 7}, 1, 3));
}

TEST_F(DailyList, ThePickIsFixedAndOnlyAmongTheLanguageAndLevel)
{
    fill({{"ALMA", 1, 2},
          {"APPLE", 2, 2},
          {"K\xD6RTE", 1, 2},
          {"SZILVA", 1, 3},
          {"...", 1, 2}, // nothing to find: never the day's puzzle
          {"BARACK", 1, 2},
          {"DI\xD3", 1, 1},
          {"MEGGY", 1, 2}});
    struct Case
    {
        CivilDate date;
        int32_t language, level;
        const char* expected;
    };
    const Case cases[] = {
        {{2026, 12, 7}, 1, 2, "K\xD6RTE"}, {{2026, 12, 8}, 1, 2, "ALMA"},
        {{2026, 12, 10}, 1, 2, "MEGGY"},   {{2026, 12, 7}, 2, 2, "APPLE"}, // the only English one of level 2
        {{2026, 12, 7}, 1, 3, "SZILVA"},   {{2026, 12, 7}, 2, 4, ""}, // none of that language and level
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(textOf(dailyPuzzle(c.date, c.language, c.level, table)), c.expected);
        // The same day asks again: the same answer.
        EXPECT_EQ(textOf(dailyPuzzle(c.date, c.language, c.level, table)), c.expected);
    }
}

TEST_F(DailyList, DaysSpreadOverTheCandidates)
{
    std::vector<Puzzle> puzzles;
    for (int i = 0; i < 10; ++i)
        puzzles.push_back({"P" + std::to_string(i), 1, 1});
    fill(puzzles);
    std::set<int> picked;
    int sameAsYesterday = 0;
    int yesterday = -1;
    const int32_t first = dayNumber({2026, 1, 1});
    for (int32_t day = first; day < first + 60; ++day) {
        const int position = dailyPuzzle(civilDate(day), 1, 1, table);
        ASSERT_GE(position, 0);
        picked.insert(position);
        sameAsYesterday += position == yesterday;
        yesterday = position;
    }
    EXPECT_EQ(picked.size(), 10u); // two months reach every one of ten
    EXPECT_LT(sameAsYesterday, 20); // about one day in ten by chance; not stuck on one puzzle
}

TEST(RecentSkip, TheWindowIsTwoHundredOrHalfTheAdmitted)
{
    struct Case
    {
        int admitted, window;
    };
    for (const Case c : {Case {0, 0}, Case {1, 0}, Case {3, 1}, Case {10, 5}, Case {400, 200},
                         Case {401, 200}, Case {1606, 200}}) {
        EXPECT_EQ(recentWindow(c.admitted), c.window) << c.admitted;
    }
}

std::vector<std::string_view> views(const std::vector<std::string>& texts)
{
    return {texts.begin(), texts.end()};
}

TEST(RecentSkip, SkipsTheLastMetWithinTheWindowAndFallsBackToTheOldest)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> admitted;
        std::vector<std::string> met; // oldest first
        std::vector<bool> skipped;
        int fallback;
    };
    const std::vector<Case> cases = {
        {"nothing met", {"A", "B", "C", "D"}, {}, {false, false, false, false}, -1},
        {"the last two of four", {"A", "B", "C", "D"}, {"A", "B", "C"}, {false, true, true, false}, -1},
        {"met twice counts once", {"A", "B", "C", "D"}, {"C", "B", "B"}, {false, true, false, false}, -1},
        {"texts not admitted take places in the window",
         {"A", "B", "C", "D"},
         {"A", "X", "Y"},
         {false, false, false, false},
         -1},
        {"a single puzzle is never skipped", {"A"}, {"A"}, {false}, -1},
        {"the whole choice met: the one met longest ago",
         {"A", "A", "B", "B"},
         {"B", "A"},
         {true, true, true, true},
         2},
        {"the oldest meeting of a text met again is its latest",
         {"A", "A", "B", "B"},
         {"A", "B", "A"},
         {true, true, true, true},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto admitted = views(c.admitted);
        const auto met = views(c.met);
        const RecentSkip skip = recentSkip(admitted, met);
        EXPECT_EQ(skip.skipped, c.skipped);
        EXPECT_EQ(skip.fallback, c.fallback);
    }
}

TEST(RecentSkip, TheWindowStopsAtTwoHundredRounds)
{
    std::vector<std::string> admitted, met;
    for (int i = 0; i < 1000; ++i)
        admitted.push_back("P" + std::to_string(i));
    for (int i = 0; i < 300; ++i)
        met.push_back("P" + std::to_string(i)); // P0 the oldest, P299 the last round
    const RecentSkip skip = recentSkip(views(admitted), views(met));
    EXPECT_EQ(skip.skippedCount, 200);
    EXPECT_FALSE(skip.skipped[99]);
    EXPECT_TRUE(skip.skipped[100]);
    EXPECT_TRUE(skip.skipped[299]);
    EXPECT_FALSE(skip.skipped[300]);
    EXPECT_EQ(skip.fallback, -1);
}

} // namespace

namespace {

TEST_F(DailyList, TheDrawPassesOverPuzzlesMetLatelyWhileTheChoiceHasOthers)
{
    // Eight level-1 Hungarian puzzles and one English: the window is half of the eight admitted, four.
    fill({{"A", 1, 1},
          {"B", 1, 1},
          {"C", 1, 1},
          {"D", 1, 1},
          {"E", 2, 1},
          {"F", 1, 1},
          {"G", 1, 1},
          {"H", 1, 1},
          {"I", 1, 1}});
    const DrawChoice hungarian {1, 1, AllCategories, 0};
    struct Case
    {
        const char* name;
        std::vector<std::string> met; // oldest first
        int32_t start;
        const char* drawn;
    };
    const std::vector<Case> cases = {
        {"nothing met: the scan's first", {}, 1, "B"},
        {"met lately: passed over", {"B", "C"}, 1, "D"},
        {"the English one is not admitted, so passed over too", {"D"}, 3, "F"},
        {"met before the window: drawn again", {"B", "C", "D", "F", "G"}, 1, "B"},
        {"the scan wraps round past the met", {"H", "I"}, 7, "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto met = views(c.met);
        const RecentPuzzles recent = recentPuzzles(table, hungarian, met);
        const DrawResult result = drawPuzzle(table, table.recordCount(), c.start, hungarian, recent);
        ASSERT_TRUE(result.admitted);
        EXPECT_EQ(table.asString(storage::puzzle::Szoveg), c.drawn);
    }
}

TEST_F(DailyList, WhenEveryAdmittedPuzzleWasMetOneOfThemIsStillDrawn)
{
    // The same text twice (a list edited by hand): met once, both records are passed over, and the draw
    // still gives a round rather than "nothing admitted".
    fill({{"A", 1, 1}, {"A", 1, 1}, {"C", 2, 1}});
    const DrawChoice hungarian {1, 1, AllCategories, 0};
    const std::vector<std::string> met {"A"};
    const RecentPuzzles recent = recentPuzzles(table, hungarian, views(met));
    EXPECT_EQ(recent.skipped, (std::vector<bool> {true, true, false}));
    const DrawResult result = drawPuzzle(table, 3, 1, hungarian, recent);
    ASSERT_TRUE(result.admitted);
    EXPECT_EQ(table.currentPosition(), recent.fallback);

    // A choice that admits nothing draws nothing, skip or not.
    const DrawChoice none {1, 2, 0, 0};
    EXPECT_FALSE(drawPuzzle(table, 3, 0, none, recentPuzzles(table, none, views(met))).admitted);
}

} // namespace
