// The statistics window's content for 100,000 rounds of three players (years of a busy family): the
// player's figures, the chart and the three rankings as the window fills them at its opening, against a
// floor measured in the same loop, one player's statisticsOf over the same rounds. Both are timed in
// wall-clock time, as the player waits for the window; the absolute figure is what counts (a person notices
// about 100 ms). Runs on Qt's offscreen platform.
#include "game/calendar.h"
#include "players/round_history.h"
#include "players/statisztika_window.h"
#include "storage/schemas.h"

#include <QApplication>
#include <QComboBox>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int HistoryRounds = 100'000;
const std::vector<std::string> Names = {"Anna", "B\xE9la", "Cili"};
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

const std::vector<players::RoundRecord>& rounds()
{
    static const std::vector<players::RoundRecord> made = [] {
        std::mt19937 random(11);
        std::vector<players::RoundRecord> rounds;
        rounds.reserve(HistoryRounds);
        const int32_t start = game::localMinutes({2021, 12, 7}, 8, 0);
        for (int i = 0; i < HistoryRounds; ++i) {
            players::RoundRecord r;
            r.name = Names[random() % Names.size()];
            r.time = start + i * 26; // 50 rounds a day for five years
            r.text = "PUZZLE NUMBER " + std::to_string(random() % 1606);
            r.language = 1;
            r.level = 1 + int(random() % 4);
            r.category = 1 + int(random() % 16);
            r.outcome = 1 + int(random() % 4);
            r.score = int(random() % 200) - 50;
            r.hintsBought = random() % 5 == 0;
            r.daily = random() % 50 == 0;
            rounds.push_back(std::move(r));
        }
        return rounds;
    }();
    return made;
}

void StatisticsWindowFilledVersusOnePass(benchmark::State& state)
{
    const std::vector<players::RoundRecord>& all = rounds();
    const int32_t today = game::dayOfMinutes(all.back().time);
    TfrmStatisztika window;
    double contentTime = 0, floorTime = 0;
    for (auto _ : state) {
        const Clock::time_point floorStart = Clock::now();
        const players::PlayerStatistics s = players::statisticsOf(all, "Anna");
        floorTime += secondsSince(floorStart);
        benchmark::DoNotOptimize(s.played);

        // Both chart ranges, as a player opening the window and switching to the 100 rounds sees them.
        const Clock::time_point contentStart = Clock::now();
        window.cbGrafikon->setCurrentIndex(TfrmStatisztika::Last30Days);
        window.showRounds(all, Names, "Anna", today);
        window.cbGrafikon->setCurrentIndex(TfrmStatisztika::Last100Rounds);
        contentTime += secondsSince(contentStart);
    }
    const double n = double(state.iterations());
    state.counters["pass_ms"] = floorTime * 1e3 / n;
    state.counters["window_ms"] = contentTime * 1e3 / n;
    state.counters["window_per_pass"] = contentTime / floorTime;
}
BENCHMARK(StatisticsWindowFilledVersusOnePass)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
