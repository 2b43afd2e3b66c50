// The round history's figures: statistics, winning and daily streaks, the family ranking by period, and
// what renaming or deleting a player does to the rounds.
#include "players/round_history.h"

#include "game/calendar.h"
#include "storage/schemas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace players;
using game::CivilDate;
namespace h = storage::history;

namespace {

RoundRecord round(std::string name, int32_t time, int32_t outcome, int32_t score = 0, int32_t level = 1)
{
    RoundRecord r;
    r.name = std::move(name);
    r.time = time;
    r.text = "ALMA";
    r.language = 1;
    r.level = level;
    r.category = 1;
    r.outcome = outcome;
    r.score = score;
    return r;
}

int32_t at(CivilDate date, int32_t hour = 12, int32_t minute = 0)
{
    return game::localMinutes(date, hour, minute);
}

// W won, L lost, G given up, A abandoned; one round a minute.
std::vector<RoundRecord> rounds(std::string_view name, std::string_view outcomes)
{
    std::vector<RoundRecord> list;
    int32_t time = at({2026, 12, 7});
    for (const char c : outcomes) {
        const int32_t outcome = c == 'W' ? h::Won : c == 'L' ? h::Lost : c == 'G' ? h::GivenUp : h::Abandoned;
        list.push_back(round(std::string(name), time++, outcome));
    }
    return list;
}

TEST(RoundStatistics, WinningStreaks)
{
    struct Case
    {
        const char* outcomes;
        int32_t played, won, wonPercent, current, best, givenUp;
    };
    const Case cases[] = {
        {"", 0, 0, 0, 0, 0, 0},
        {"WWW", 3, 3, 100, 3, 3, 0},
        {"WWLW", 4, 3, 75, 1, 2, 0},
        {"WWWLWW", 6, 5, 83, 2, 3, 0},
        {"WWG", 3, 2, 66, 0, 2, 1},
        {"WWAWW", 5, 4, 80, 4, 4, 0}, // an abandoned round neither breaks nor extends
        {"AAA", 3, 0, 0, 0, 0, 0},
        {"WALAW", 5, 2, 40, 1, 1, 0},
        {"LLLWWWWL", 8, 4, 50, 0, 4, 0},
        {"GLG", 3, 0, 0, 0, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.outcomes);
        auto list = rounds("Anna", c.outcomes);
        // Another player's rounds in between change nothing of Anna's.
        for (size_t i = 0; i < list.size(); i += 2)
            list.insert(list.begin() + long(i), round("B\xE9la", 0, h::Lost));
        const PlayerStatistics s = statisticsOf(list, "Anna");
        EXPECT_EQ(s.played, c.played);
        EXPECT_EQ(s.won, c.won);
        EXPECT_EQ(s.wonPercent, c.wonPercent);
        EXPECT_EQ(s.currentStreak, c.current);
        EXPECT_EQ(s.bestStreak, c.best);
        EXPECT_EQ(s.givenUp, c.givenUp);
    }
}

TEST(RoundStatistics, ScoresByLevelAverageAndHints)
{
    std::vector<RoundRecord> list = {
        round("Anna", 0, h::Lost, -12, 2),
        round("Anna", 1, h::Lost, -30, 2),
        round("Anna", 2, h::Won, 40, 1),
        round("Anna", 3, h::Won, 25, 1),
        round("Anna", 4, h::GivenUp, -5, 4),
        round("anna", 5, h::Won, 999, 3), // another player: names differ in letter case
    };
    list[1].hintsBought = true;
    list[4].hintsBought = true;
    const PlayerStatistics s = statisticsOf(list, "Anna");
    EXPECT_EQ(s.roundsAtLevel, (std::array<int32_t, 5> {0, 2, 2, 0, 1}));
    EXPECT_EQ(s.bestScore[1], 40);
    EXPECT_EQ(s.bestScore[2], -12); // the best of two losses, not 0
    EXPECT_EQ(s.bestScore[4], -5);
    EXPECT_EQ(s.averageScore, 3); // 18 / 5, truncated
    EXPECT_EQ(s.hintsBought, 2);
    EXPECT_EQ(
        statisticsOf(std::vector {round("X", 0, h::Lost, -7), round("X", 1, h::Lost, 0)}, "X").averageScore,
        -3); // toward zero, as the register's average
}

TEST(Ranking, PeriodsAcrossWeekMonthAndYearBoundaries)
{
    const std::vector<RoundRecord> list = {
        round("Anna", at({2026, 11, 29}, 23, 59), h::Won, 100), // a Sunday
        round("Anna", at({2026, 11, 30}, 0, 0), h::Lost, 10), // the Monday after
        round("B\xE9la", at({2026, 12, 1}, 0, 0), h::Won, 20),
        round("B\xE9la", at({2026, 12, 6}, 23, 59), h::Won, 5),
        round("B\xE9la", at({2026, 12, 7}, 0, 0), h::Lost, 7),
        round("Gone", at({2026, 12, 1}), h::Won, 1000), // deleted from the register
        round("Cili", at({2026, 12, 31}, 23, 59), h::Won, 3), // a Thursday
        round("Cili", at({2027, 1, 1}, 0, 0), h::Won, 50),
    };
    const std::vector<std::string> names = {"Anna", "B\xE9la", "Cili"};
    struct Row
    {
        const char* name;
        int64_t points;
        int32_t rounds, wonPercent;
    };
    struct Case
    {
        const char* what;
        Period period;
        CivilDate today;
        std::vector<Row> rows;
    };
    const std::vector<Case> cases = {
        {"the week to a Sunday",
         Period::Week,
         {2026, 12, 6},
         {{"B\xE9la", 25, 2, 100}, {"Anna", 10, 1, 0}, {"Cili", 0, 0, 0}}},
        {"the week before",
         Period::Week,
         {2026, 11, 29},
         {{"Anna", 100, 1, 100}, {"B\xE9la", 0, 0, 0}, {"Cili", 0, 0, 0}}},
        {"a new week on Monday",
         Period::Week,
         {2026, 12, 7},
         {{"B\xE9la", 7, 1, 0}, {"Anna", 0, 0, 0}, {"Cili", 0, 0, 0}}},
        {"a week across the new year",
         Period::Week,
         {2027, 1, 1},
         {{"Cili", 53, 2, 100}, {"Anna", 0, 0, 0}, {"B\xE9la", 0, 0, 0}}},
        {"December",
         Period::Month,
         {2026, 12, 15},
         {{"B\xE9la", 32, 3, 66}, {"Cili", 3, 1, 100}, {"Anna", 0, 0, 0}}},
        {"November, to its last day",
         Period::Month,
         {2026, 11, 30},
         {{"Anna", 110, 2, 50}, {"B\xE9la", 0, 0, 0}, {"Cili", 0, 0, 0}}},
        {"January",
         Period::Month,
         {2027, 1, 1},
         {{"Cili", 50, 1, 100}, {"Anna", 0, 0, 0}, {"B\xE9la", 0, 0, 0}}},
        {"all time",
         Period::AllTime,
         {2027, 1, 1},
         {{"Anna", 110, 2, 50}, {"Cili", 53, 2, 100}, {"B\xE9la", 32, 3, 66}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<RankingRow> rows = ranking(list, names, c.period, game::dayNumber(c.today));
        ASSERT_EQ(rows.size(), c.rows.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].name, c.rows[i].name) << i;
            EXPECT_EQ(rows[i].points, c.rows[i].points) << i;
            EXPECT_EQ(rows[i].rounds, c.rows[i].rounds) << i;
            EXPECT_EQ(rows[i].wonPercent, c.rows[i].wonPercent) << i;
        }
    }
}

TEST(DailyStreak, CountsSolvedDaysInARowUpToToday)
{
    const CivilDate Today {2026, 12, 7};
    const int32_t today = game::dayNumber(Today);
    struct Solved
    {
        int dayOffset;
        bool daily;
        int32_t outcome;
        const char* name = "Anna";
        int32_t hour = 12, minute = 0;
    };
    struct Case
    {
        const char* what;
        std::vector<Solved> rounds;
        int32_t streak;
    };
    const std::vector<Case> cases = {
        {"none", {}, 0},
        {"four days to today",
         {{-3, true, h::Won}, {-2, true, h::Won}, {-1, true, h::Won}, {0, true, h::Won}},
         4},
        {"today not yet played", {{-3, true, h::Won}, {-2, true, h::Won}, {-1, true, h::Won}}, 3},
        {"a gap", {{-3, true, h::Won}, {-1, true, h::Won}, {0, true, h::Won}}, 2},
        {"yesterday missed", {{-2, true, h::Won}}, 0},
        {"lost yesterday", {{-2, true, h::Won}, {-1, true, h::Lost}, {0, true, h::Won}}, 1},
        {"an ordinary round won", {{-1, false, h::Won}, {0, true, h::Won}}, 1},
        {"another player's", {{-1, true, h::Won, "B\xE9la"}, {0, true, h::Won}}, 1},
        {"two a day count once", {{-1, true, h::Won}, {-1, true, h::Won}, {0, true, h::Won}}, 2},
        {"the day's first and last minute",
         {{-1, true, h::Won, "Anna", 0, 0}, {0, true, h::Won, "Anna", 23, 59}},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<RoundRecord> list;
        for (const Solved& s : c.rounds) {
            RoundRecord r = round(
                s.name, (today + s.dayOffset) * game::MinutesPerDay + s.hour * 60 + s.minute, s.outcome);
            r.daily = s.daily;
            list.push_back(r);
        }
        EXPECT_EQ(dailyStreak(list, "Anna", today), c.streak);
    }
}

TEST(DailyPuzzleRounds, PlayedOnceADayPerLanguageAndLevel)
{
    RoundRecord daily = round("Anna", at({2026, 12, 7}, 8, 0), h::Lost, 0, 2);
    daily.daily = true;
    const std::vector<RoundRecord> list = {daily, round("Anna", at({2026, 12, 7}, 9, 0), h::Won, 0, 3)};
    const int32_t today = game::dayNumber({2026, 12, 7});
    EXPECT_TRUE(dailyPlayed(list, "Anna", 1, 2, today)); // lost, but played
    EXPECT_FALSE(dailyPlayed(list, "Anna", 1, 3, today)); // an ordinary round of level 3
    EXPECT_FALSE(dailyPlayed(list, "Anna", 2, 2, today));
    EXPECT_FALSE(dailyPlayed(list, "B\xE9la", 1, 2, today));
    EXPECT_FALSE(dailyPlayed(list, "Anna", 1, 2, today + 1));
}

TEST(LastPuzzles, TheTextsOfThePlayersLastRoundsOldestFirst)
{
    std::vector<RoundRecord> list;
    for (const char* text : {"A", "B", "C", "D", "E"}) {
        list.push_back(round("Anna", 0, h::Won));
        list.back().text = text;
        list.push_back(round("B\xE9la", 0, h::Won));
        list.back().text = std::string("x") + text;
    }
    EXPECT_EQ(lastPuzzles(list, "Anna", 3), (std::vector<std::string_view> {"C", "D", "E"}));
    EXPECT_EQ(lastPuzzles(list, "Anna", 10).size(), 5u);
    EXPECT_TRUE(lastPuzzles(list, "Cili", 3).empty());
}

TEST(RenameAndDelete, ARenamedPlayerKeepsTheRoundsADeletedOneLosesThem)
{
    const std::vector<RoundRecord> original
        = {round("Anna", 0, h::Won, 10), round("B\xE9la", 1, h::Lost, -2), round("Anna", 2, h::Lost, -4),
           round("Annabella", 3, h::Won, 7)};
    const PlayerStatistics before = statisticsOf(original, "Anna");

    std::vector<RoundRecord> list = original;
    EXPECT_EQ(renamePlayer(list, "Anna", "Cili"), 2);
    EXPECT_EQ(statisticsOf(list, "Cili").played, before.played);
    EXPECT_EQ(statisticsOf(list, "Cili").averageScore, before.averageScore);
    EXPECT_EQ(statisticsOf(list, "Anna").played, 0);
    EXPECT_EQ(list[3].name, "Annabella"); // the whole name, not a prefix
    EXPECT_EQ(removePlayer(list, "Cili"), 2);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], original[1]);
    EXPECT_EQ(list[1], original[3]);

    // The same on the history table, read back through its records.
    storage::Table table(storage::historyColumns());
    table.open();
    for (const RoundRecord& r : original)
        appendRound(table, r);
    EXPECT_EQ(readHistory(table), original);
    EXPECT_EQ(renamePlayer(table, "Anna", "Cili"), 2);
    std::vector<RoundRecord> expected = original;
    renamePlayer(expected, "Anna", "Cili");
    EXPECT_EQ(readHistory(table), expected);
    EXPECT_EQ(removePlayer(table, "Cili"), 2);
    removePlayer(expected, "Cili");
    EXPECT_EQ(readHistory(table), expected);
    table.closeWithoutSaving();
}

} // namespace
