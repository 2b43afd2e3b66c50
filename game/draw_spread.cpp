#include "game/draw_spread.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <random>
#include <tuple>

namespace game {

namespace {

// Phases stepped by the golden ratio fall evenly for any number of steps, so the cells of one category
// (its languages and levels) do not all start at the same place in their runs.
const double GoldenStep = (std::sqrt(5.0) - 1.0) / 2.0;

double fraction(double x) { return x - std::floor(x); }

// Own conversions from the generator's words: the standard distributions and std::shuffle differ between
// libraries, and the shipped list must come out byte for byte the same wherever it is built.
double unitDraw(std::mt19937& random) { return random() / 4294967296.0; }

void shuffleInPlace(std::vector<int>& items, std::mt19937& random)
{
    for (size_t i = items.size(); i > 1; --i)
        std::swap(items[i - 1], items[random() % i]);
}

// Interleaves the runs in proportion to their lengths: item j of a run of m items goes to (j + phase) / m.
std::vector<int> interleave(const std::vector<std::vector<int>>& runs, const std::vector<double>& phases)
{
    std::vector<std::tuple<double, size_t, int>> keyed;
    for (size_t run = 0; run < runs.size(); ++run) {
        const double m = double(runs[run].size());
        for (size_t j = 0; j < runs[run].size(); ++j)
            keyed.emplace_back((double(j) + phases[run]) / m, run, runs[run][j]);
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<int> order;
    order.reserve(keyed.size());
    for (const auto& entry : keyed)
        order.push_back(std::get<2>(entry));
    return order;
}

std::vector<int> spreadOnce(const std::vector<PuzzleKind>& list, uint32_t seed)
{
    std::mt19937 random(seed);
    std::map<int32_t, std::map<int32_t, std::map<int32_t, std::vector<int>>>> cells;
    for (int i = 0; i < int(list.size()); ++i)
        cells[list[i].Nyelv][list[i].Fokozat][list[i].Kategoria].push_back(i);
    std::map<int32_t, double> categoryPhase;
    for (const auto& [language, levels] : cells)
        for (const auto& [level, categories] : levels)
            for (const auto& entry : categories)
                categoryPhase.try_emplace(entry.first, 0.0);
    for (auto& entry : categoryPhase)
        entry.second = unitDraw(random);

    std::vector<std::vector<int>> languageRuns;
    std::vector<double> languagePhases;
    for (auto& [language, levels] : cells) {
        std::vector<std::vector<int>> levelRuns;
        std::vector<double> levelPhases;
        for (auto& [level, categories] : levels) {
            std::vector<std::vector<int>> categoryRuns;
            std::vector<double> phases;
            for (auto& [category, records] : categories) {
                shuffleInPlace(records, random);
                categoryRuns.push_back(records);
                phases.push_back(fraction(categoryPhase[category] + GoldenStep * (4.0 * language + level)));
            }
            levelRuns.push_back(interleave(categoryRuns, phases));
            levelPhases.push_back(fraction(GoldenStep * level + 0.5 * language));
        }
        languageRuns.push_back(interleave(levelRuns, levelPhases));
        languagePhases.push_back(0.5);
    }
    return interleave(languageRuns, languagePhases);
}

} // namespace

std::vector<DrawChoice> usualChoices()
{
    std::vector<DrawChoice> choices;
    for (int32_t language = 1; language <= 3; ++language)
        for (int32_t level = 1; level <= 4; ++level)
            for (int32_t exact = 0; exact <= 1; ++exact) {
                choices.push_back({level, language, AllCategories, exact});
                for (int32_t category = 1; category <= 16; ++category)
                    choices.push_back({level, language, int32_t(1) << (category - 1), exact});
            }
    return choices;
}

double mostDrawnRatio(const std::vector<PuzzleKind>& list, const DrawChoice& choice)
{
    const int n = int(list.size());
    int admitted = 0, firstAdmitted = -1, previous = -1, longestRun = 0;
    for (int i = 0; i < n; ++i) {
        if (!isAdmitted(choice, list[i].Fokozat, list[i].Nyelv, list[i].Kategoria))
            continue;
        ++admitted;
        if (previous < 0)
            firstAdmitted = i;
        else
            longestRun = std::max(longestRun, i - previous);
        previous = i;
    }
    if (admitted == 0)
        return 0.0;
    // The first admitted record is reached from the starts after the last one, round the end of the list.
    longestRun = std::max(longestRun, firstAdmitted + n - previous);
    return double(longestRun) * admitted / n;
}

double worstUsualRatio(const std::vector<PuzzleKind>& list)
{
    double worst = 0.0;
    for (const DrawChoice& choice : usualChoices())
        worst = std::max(worst, mostDrawnRatio(list, choice));
    return worst;
}

std::vector<int> spreadOrder(const std::vector<PuzzleKind>& list, uint32_t seed)
{
    // A few candidates from the seed, the fairest kept: where the phases of many small runs happen to fall
    // together, another candidate usually does better. Long lists get one, as the measuring is their cost.
    const int candidates = list.size() <= 200000 ? 8 : 1;
    std::vector<int> best;
    double bestWorst = 0.0;
    for (int c = 0; c < candidates; ++c) {
        std::vector<int> order = spreadOnce(list, seed + uint32_t(c) * 7919u);
        if (candidates == 1)
            return order;
        std::vector<PuzzleKind> placed;
        placed.reserve(order.size());
        for (int i : order)
            placed.push_back(list[i]);
        const double worst = worstUsualRatio(placed);
        if (best.empty() || worst < bestWorst) {
            best = std::move(order);
            bestWorst = worst;
        }
    }
    return best;
}

} // namespace game
