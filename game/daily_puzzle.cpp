#include "game/daily_puzzle.h"

#include "game/round_rules.h"
#include "storage/int_column_view.h"
#include "storage/schemas.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <unordered_map>

namespace game {

uint32_t dailySeed(const CivilDate& date, int32_t language, int32_t level)
{
    char key[64];
    const int length = std::snprintf(key, sizeof key, "%04d-%02d-%02d/%d/%d", int(date.year), int(date.month),
                                     int(date.day), int(language), int(level));
    uint32_t hash = 2166136261u;
    for (int i = 0; i < length; ++i) {
        hash ^= uint8_t(key[i]);
        hash *= 16777619u;
    }
    // FNV-1a alone changes little in its low bits between texts that differ in the last digit.
    hash ^= hash >> 16;
    hash *= 0x85ebca6bu;
    hash ^= hash >> 13;
    hash *= 0xc2b2ae35u;
    hash ^= hash >> 16;
    return hash;
}

int dailyPuzzle(const CivilDate& date, int32_t language, int32_t level, const storage::Table& dbLista)
{
    const storage::IntColumnView levels(dbLista, storage::puzzle::Fokozat);
    const storage::IntColumnView languages(dbLista, storage::puzzle::Nyelv);
    auto candidate = [&](int position) {
        return levels.at(position) == level && languages.at(position) == language
            && hasLetter(dbLista.textAt(position, storage::puzzle::Szoveg));
    };
    // Two passes, counting and then finding the chosen one, so that nothing is copied.
    int count = 0;
    for (int position = 0; position < levels.count(); ++position)
        count += candidate(position);
    if (count == 0)
        return -1;
    int wanted = int(dailySeed(date, language, level) % uint32_t(count));
    for (int position = 0; position < levels.count(); ++position) {
        if (candidate(position) && wanted-- == 0)
            return position;
    }
    return -1; // not reached: the list did not change between the passes
}

int recentWindow(int admittedCount) { return std::clamp(admittedCount / 2, 0, RecentRoundLimit); }

RecentSkip recentSkip(std::span<const std::string_view> admitted,
                      std::span<const std::string_view> metOldestFirst)
{
    RecentSkip result;
    result.skipped.assign(admitted.size(), false);
    const size_t window = std::min(size_t(recentWindow(int(std::min<size_t>(admitted.size(), INT32_MAX)))),
                                   metOldestFirst.size());
    if (window == 0)
        return result;
    // Each recent text with the round it was last met in (a larger number is more recent).
    std::unordered_map<std::string_view, size_t> lastMet;
    lastMet.reserve(window);
    for (size_t round = metOldestFirst.size() - window; round < metOldestFirst.size(); ++round)
        lastMet[metOldestFirst[round]] = round;
    size_t oldestRound = SIZE_MAX;
    for (size_t i = 0; i < admitted.size(); ++i) {
        const auto found = lastMet.find(admitted[i]);
        if (found == lastMet.end())
            continue;
        result.skipped[i] = true;
        ++result.skippedCount;
        if (found->second < oldestRound) {
            oldestRound = found->second;
            result.fallback = int(i);
        }
    }
    if (result.skippedCount < int(admitted.size()))
        result.fallback = -1;
    return result;
}

} // namespace game
