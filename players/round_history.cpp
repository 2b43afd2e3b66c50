#include "players/round_history.h"

#include "game/calendar.h"
#include "storage/schemas.h"

#include <algorithm>
#include <climits>
#include <unordered_map>
#include <unordered_set>

namespace players {

namespace h = storage::history;

std::vector<RoundRecord> readHistory(const storage::Table& history)
{
    std::vector<RoundRecord> rounds;
    const int count = history.recordCount();
    rounds.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        RoundRecord r;
        r.name = history.textAt(i, h::Nev);
        r.time = history.intAt(i, h::Idopont);
        r.text = history.textAt(i, h::Szoveg);
        r.language = history.intAt(i, h::Nyelv);
        r.level = history.intAt(i, h::Fokozat);
        r.category = history.intAt(i, h::Kategoria);
        r.outcome = history.intAt(i, h::Kimenet);
        r.score = history.intAt(i, h::Pont);
        r.mistakes = history.intAt(i, h::Hibak);
        r.hintsBought = history.intAt(i, h::Sugo) != 0;
        r.daily = history.intAt(i, h::Napi) != 0;
        rounds.push_back(std::move(r));
    }
    return rounds;
}

void appendRound(storage::Table& history, const RoundRecord& round)
{
    history.append();
    history.setString(h::Nev, round.name);
    history.setInt(h::Idopont, round.time);
    history.setString(h::Szoveg, round.text);
    history.setInt(h::Nyelv, round.language);
    history.setInt(h::Fokozat, round.level);
    history.setInt(h::Kategoria, round.category);
    history.setInt(h::Kimenet, round.outcome);
    history.setInt(h::Pont, round.score);
    history.setInt(h::Hibak, round.mistakes);
    history.setInt(h::Sugo, round.hintsBought ? 1 : 0);
    history.setInt(h::Napi, round.daily ? 1 : 0);
    history.post();
}

namespace {
int32_t percent(int32_t part, int32_t whole)
{
    return whole == 0 ? 0 : int32_t(int64_t {part} * 100 / whole);
}
} // namespace

PlayerStatistics statisticsOf(std::span<const RoundRecord> rounds, std::string_view name)
{
    PlayerStatistics s;
    int64_t total = 0;
    for (const RoundRecord& r : rounds) {
        if (r.name != name)
            continue;
        ++s.played;
        total += r.score;
        switch (r.outcome) {
        case h::Won:
            ++s.won;
            s.bestStreak = std::max(s.bestStreak, ++s.currentStreak);
            break;
        case h::Abandoned:
            break; // neither a win nor a loss
        case h::GivenUp:
            ++s.givenUp;
            s.currentStreak = 0;
            break;
        default: // lost, or a code this game does not write: not a win
            s.currentStreak = 0;
            break;
        }
        if (r.level >= 1 && r.level <= 4) {
            const size_t level = size_t(r.level);
            s.bestScore[level]
                = s.roundsAtLevel[level] == 0 ? r.score : std::max(s.bestScore[level], r.score);
            ++s.roundsAtLevel[level];
        }
        s.hintsBought += r.hintsBought;
    }
    s.wonPercent = percent(s.won, s.played);
    s.averageScore = s.played == 0 ? 0 : int32_t(total / s.played); // an average lies within the scores
    return s;
}

std::vector<RankingRow> ranking(std::span<const RoundRecord> rounds, std::span<const std::string> names,
                                Period period, int32_t today)
{
    int32_t first = INT32_MIN, last = INT32_MAX; // days, both included
    if (period == Period::Week) {
        first = game::weekStart(today);
        last = first + 6;
    } else if (period == Period::Month) {
        first = game::monthStart(today);
        game::CivilDate next = game::civilDate(first);
        next.month = next.month == 12 ? 1 : next.month + 1;
        next.year += next.month == 1;
        last = game::dayNumber(next) - 1;
    }
    std::vector<RankingRow> rows(names.size());
    std::vector<int32_t> won(names.size(), 0);
    std::unordered_map<std::string_view, size_t> index;
    index.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        rows[i].name = names[i];
        index.emplace(names[i], i); // a name twice in the register: its first record gets the rounds
    }
    for (const RoundRecord& r : rounds) {
        const int32_t day = game::dayOfMinutes(r.time);
        if (day < first || day > last)
            continue;
        const auto found = index.find(r.name);
        if (found == index.end())
            continue;
        RankingRow& row = rows[found->second];
        row.points += r.score;
        ++row.rounds;
        won[found->second] += r.outcome == h::Won;
    }
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].wonPercent = percent(won[i], rows[i].rounds);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const RankingRow& a, const RankingRow& b) { return a.points > b.points; });
    return rows;
}

int32_t dailyStreak(std::span<const RoundRecord> rounds, std::string_view name, int32_t today)
{
    std::unordered_set<int32_t> solved;
    for (const RoundRecord& r : rounds) {
        if (r.daily && r.outcome == h::Won && r.name == name)
            solved.insert(game::dayOfMinutes(r.time));
    }
    int32_t day = solved.count(today) ? today : today - 1;
    int32_t streak = 0;
    while (solved.count(day)) {
        ++streak;
        --day;
    }
    return streak;
}

bool dailyPlayed(std::span<const RoundRecord> rounds, std::string_view name, int32_t language, int32_t level,
                 int32_t today)
{
    // The latest rounds are at the end, and today's are among them.
    for (auto r = rounds.rbegin(); r != rounds.rend(); ++r) {
        if (r->daily && r->name == name && r->language == language && r->level == level
            && game::dayOfMinutes(r->time) == today)
            return true;
    }
    return false;
}

std::vector<std::string_view> lastPuzzles(std::span<const RoundRecord> rounds, std::string_view name,
                                          int count)
{
    std::vector<std::string_view> texts;
    texts.reserve(size_t(std::max(count, 0)));
    for (auto r = rounds.rbegin(); r != rounds.rend() && int(texts.size()) < count; ++r) {
        if (r->name == name)
            texts.push_back(r->text);
    }
    std::reverse(texts.begin(), texts.end());
    return texts;
}

int renamePlayer(std::vector<RoundRecord>& rounds, std::string_view oldName, std::string_view newName)
{
    int changed = 0;
    for (RoundRecord& r : rounds) {
        if (r.name == oldName) {
            r.name = newName;
            ++changed;
        }
    }
    return changed;
}

int removePlayer(std::vector<RoundRecord>& rounds, std::string_view name)
{
    return int(std::erase_if(rounds, [&](const RoundRecord& r) { return r.name == name; }));
}

int renamePlayer(storage::Table& history, std::string_view oldName, std::string_view newName)
{
    int changed = 0;
    for (int i = 0; i < history.recordCount(); ++i) {
        if (history.textAt(i, h::Nev) != oldName)
            continue;
        history.moveTo(i);
        history.edit();
        history.setString(h::Nev, newName);
        history.post();
        ++changed;
    }
    history.first();
    return changed;
}

int removePlayer(storage::Table& history, std::string_view name)
{
    int removed = 0;
    for (int i = history.recordCount() - 1; i >= 0; --i) {
        if (history.textAt(i, h::Nev) != name)
            continue;
        history.moveTo(i);
        history.deleteRecord();
        ++removed;
    }
    history.first();
    return removed;
}

} // namespace players
