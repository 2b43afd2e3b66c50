// Time from starting the game, with a list of 100,000 puzzles beside it, to its main window being painted,
// and the peak memory of that run, against a minimal Qt Widgets program showing one line in a label (the
// floor), in the same run. Both programs are the benchmark's own builds that end at their first paint
// (exit_when_painted.cpp); they run on Qt's offscreen platform so no display is needed.
#include "storage/file_names.h"
#include "storage/paths.h"
#include "storage/schemas.h"
#include "storage/table.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

constexpr int PuzzleCount = 100000;

// Closes a table the benchmark wrote, which must have been saved.
void closeSaved(storage::Table& table)
{
    if (const storage::SaveOutcome saved = table.close(); !saved.ok()) {
        std::fprintf(stderr, "%s\n", saved.error.c_str());
        std::abort();
    }
}

// A program folder holding a copy of the game and its puzzle list; made once per run.
const std::string& gameFolder()
{
    static const std::string folder = [] {
        std::string path = std::filesystem::temp_directory_path() / "brumvelda-startup-bench-XXXXXX";
        if (!::mkdtemp(path.data()))
            std::abort();
        std::filesystem::copy_file(BRUMVELDA_EXE, storage::pathIn(path, "brumvelda"));
        storage::Table list(storage::puzzleColumns());
        list.setFilePath(storage::pathIn(path, storage::PuzzleListFile));
        list.open();
        for (int n = 0; n < PuzzleCount; ++n) {
            list.append();
            list.setString(storage::puzzle::Szoveg, "PUZZLE NUMBER " + std::to_string(n));
            list.setInt(storage::puzzle::Nyelv, 1 + n % 2);
            list.setString(storage::puzzle::Sugo1, "A hint line of moderate length");
            list.setString(storage::puzzle::Sugo2, "");
            list.setInt(storage::puzzle::Fokozat, 1 + n % 4);
            list.setInt(storage::puzzle::Kategoria, 1 + n % 16);
            list.post();
        }
        closeSaved(list);
        return path;
    }();
    return folder;
}

// Starts the program and waits for it to end; its peak resident memory in kB, or -1 when it could not
// start or failed.
long runToFirstPaint(const std::string& program)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0)
        return -1;
    int status = 0;
    rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? usage.ru_maxrss : -1;
}

void timeToFirstPaint(benchmark::State& state, const std::string& program)
{
    for (auto _ : state) {
        if (runToFirstPaint(program) < 0) {
            state.SkipWithError("the program did not start and end cleanly");
            return;
        }
    }
}

void MinimalWindowShown(benchmark::State& state) { timeToFirstPaint(state, MINIMAL_WINDOW_EXE); }

void BrumveldaShown(benchmark::State& state)
{
    timeToFirstPaint(state, storage::pathIn(gameFolder(), "brumvelda"));
}

// Floor and game alternate in one loop, so both see the same machine load; "ratio" (time) and
// "memory_ratio" (peak resident memory) are the figures that count (targets: at most 1.5 and 1.3).
void BrumveldaShownVersusFloor(benchmark::State& state)
{
    const std::string programs[] = {MINIMAL_WINDOW_EXE, storage::pathIn(gameFolder(), "brumvelda")};
    double seconds[2] = {0, 0};
    long peakKb[2] = {0, 0};
    int rounds = 0;
    for (auto _ : state) {
        for (int i = 0; i < 2; ++i) {
            const auto start = std::chrono::steady_clock::now();
            const long kb = runToFirstPaint(programs[i]);
            if (kb < 0) {
                state.SkipWithError("the program did not start and end cleanly");
                return;
            }
            seconds[i] += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            peakKb[i] = std::max(peakKb[i], kb);
        }
        ++rounds;
    }
    state.counters["floor_ms"] = 1000 * seconds[0] / rounds;
    state.counters["game_ms"] = 1000 * seconds[1] / rounds;
    state.counters["ratio"] = seconds[1] / seconds[0];
    state.counters["floor_peak_kb"] = static_cast<double>(peakKb[0]);
    state.counters["game_peak_kb"] = static_cast<double>(peakKb[1]);
    state.counters["memory_ratio"] = static_cast<double>(peakKb[1]) / static_cast<double>(peakKb[0]);
}

} // namespace

BENCHMARK(MinimalWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BrumveldaShown)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BrumveldaShownVersusFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    gameFolder();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(gameFolder());
    return 0;
}
