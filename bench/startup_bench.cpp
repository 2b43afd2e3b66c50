// Time from starting the game, with a list of 100,000 puzzles beside it, to its main window being painted,
// against a minimal Qt Widgets program showing one empty window (the floor), in the same run.
// Both programs end at their first paint because BRUMVELDA_EXIT_WHEN_SHOWN=1 is set for them; they run
// on Qt's offscreen platform so no display is needed.
#include "storage/schemas.h"
#include "storage/table.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char** environ;

namespace {

constexpr int PuzzleCount = 100000;

// A program folder holding a copy of the game and its puzzle list; made once per run.
const std::string& gameFolder()
{
    static const std::string folder = [] {
        std::string path = std::filesystem::temp_directory_path() / "brumvelda-startup-bench-XXXXXX";
        if (!::mkdtemp(path.data()))
            std::abort();
        std::filesystem::copy_file(BRUMVELDA_EXE, path + "/brumvelda");
        storage::Table list(storage::puzzleColumns());
        list.setFilePath(path + "/Brumvelda.lis");
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
        list.close();
        return path;
    }();
    return folder;
}

// Starts the program and waits for it to end; false when it could not start or failed.
bool runToFirstPaint(const std::string& program)
{
    ::setenv("BRUMVELDA_EXIT_WHEN_SHOWN", "1", 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0)
        return false;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void timeToFirstPaint(benchmark::State& state, const std::string& program)
{
    for (auto _ : state) {
        if (!runToFirstPaint(program)) {
            state.SkipWithError("the program did not start and end cleanly");
            return;
        }
    }
}

void MinimalWindowShown(benchmark::State& state) { timeToFirstPaint(state, MINIMAL_WINDOW_EXE); }

void BrumveldaShown(benchmark::State& state) { timeToFirstPaint(state, gameFolder() + "/brumvelda"); }

// Floor and game alternate in one loop, so both see the same machine load; "ratio" is the figure that
// counts (target: at most 1.3).
void BrumveldaShownVersusFloor(benchmark::State& state)
{
    const std::string programs[] = {MINIMAL_WINDOW_EXE, gameFolder() + "/brumvelda"};
    double seconds[2] = {0, 0};
    int rounds = 0;
    for (auto _ : state) {
        for (int i = 0; i < 2; ++i) {
            const auto start = std::chrono::steady_clock::now();
            if (!runToFirstPaint(programs[i])) {
                state.SkipWithError("the program did not start and end cleanly");
                return;
            }
            seconds[i] += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
        ++rounds;
    }
    state.counters["floor_ms"] = 1000 * seconds[0] / rounds;
    state.counters["game_ms"] = 1000 * seconds[1] / rounds;
    state.counters["ratio"] = seconds[1] / seconds[0];
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
