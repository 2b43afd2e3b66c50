#pragma once
// The round history without a window: one record per round that ended, and the figures the statistics and
// the family ranking show, computed from the records in the order the rounds ended.
//
// Abandoned rounds (a player switch or the exit ended them) count as played and their score counts, but
// they neither extend nor break a winning streak: the player did not lose them, and a streak should not end
// because someone else sat down at the computer.

#include "storage/schemas.h"
#include "storage/table.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace players {

struct RoundRecord
{
    std::string name;
    int32_t time = 0; // local wall-clock minutes since 1970-01-01 00:00 (game/calendar.h)
    std::string text; // the puzzle's text as the list holds it
    int32_t language = 0;
    int32_t level = 0;
    int32_t category = 0;
    int32_t outcome = storage::history::Won; // storage::history::Outcome
    int32_t score = 0;
    int32_t mistakes = 0;
    bool hintsBought = false;
    bool daily = false;
    bool operator==(const RoundRecord&) const = default;
};

// The history table's records in their order, and one more record at its end.
std::vector<RoundRecord> readHistory(const storage::Table& history);
void appendRound(storage::Table& history, const RoundRecord& round);

struct PlayerStatistics
{
    int32_t played = 0;
    int32_t won = 0;
    int32_t wonPercent = 0; // won * 100 / played, truncated: 100 only when every round was won
    int32_t currentStreak = 0; // wins since the last round lost or given up
    int32_t bestStreak = 0;
    // By level 1..4 (index 0 unused): the best round score, valid where roundsAtLevel is not 0.
    std::array<int32_t, 5> bestScore {};
    std::array<int32_t, 5> roundsAtLevel {};
    int32_t averageScore = 0; // total / played, truncated toward zero, as the register's average
    int32_t hintsBought = 0; // rounds in which the hints were bought
    int32_t givenUp = 0;
};
PlayerStatistics statisticsOf(std::span<const RoundRecord> rounds, std::string_view name);

// The ranking's periods, of the local calendar: the ISO week (Monday to Sunday) and the month that hold
// `today`, or every round.
enum class Period { Week, Month, AllTime };

struct RankingRow
{
    std::string name;
    int64_t points = 0; // the sum of the period's round scores
    int32_t rounds = 0;
    int32_t wonPercent = 0;
};
// Every name of `names` (the register's players), with their figures for the period, most points first;
// players with equal points keep the order of `names`. Rounds of names not in `names` are left out.
// `today` is a day number (game/calendar.h).
std::vector<RankingRow> ranking(std::span<const RoundRecord> rounds, std::span<const std::string> names,
                                Period period, int32_t today);

// Days in a row, up to today, on which the player won a daily puzzle. A day not yet solved today does not
// break it: then the run ending yesterday counts.
int32_t dailyStreak(std::span<const RoundRecord> rounds, std::string_view name, int32_t today);
// Whether the player already played (in any outcome) the daily puzzle of this language and level today.
bool dailyPlayed(std::span<const RoundRecord> rounds, std::string_view name, int32_t language, int32_t level,
                 int32_t today);

// The texts of the player's last `count` rounds, oldest first, pointing into `rounds`.
std::vector<std::string_view> lastPuzzles(std::span<const RoundRecord> rounds, std::string_view name,
                                          int count);

// A renamed player keeps their rounds; a deleted player's rounds go. Both return the records changed and
// work on the history table the same way (the cursor ends on the first record).
int renamePlayer(std::vector<RoundRecord>& rounds, std::string_view oldName, std::string_view newName);
int removePlayer(std::vector<RoundRecord>& rounds, std::string_view name);
int renamePlayer(storage::Table& history, std::string_view oldName, std::string_view newName);
int removePlayer(storage::Table& history, std::string_view name);

} // namespace players
