// The round history at the size of five years of a busy family (100,000 rounds), each figure against a
// floor measured in the same run:
//   skip        the player's last puzzles and the recent-puzzle skip over the admitted puzzles of a
//               shipped-size list (1,606 puzzles), against the plain scan of that list that collects them;
//   statistics  one player's statistics and the all-time ranking, against one pass summing the scores;
//   save        a round recorded into the history file through the atomic save, against writing the file's
//               bytes with one write and an fsync;
//   first read  the history read when the game first needs it, against reading the file's bytes.
// Timed in the thread's CPU time, as the draw's benchmark is, so another process's time slice does not
// land in a measurement of a few microseconds.
#include "game/calendar.h"
#include "game/daily_puzzle.h"
#include "game/round_rules.h"
#include "players/history.h"
#include "players/round_history.h"
#include "storage/int_column_view.h"
#include "storage/schemas.h"
#include "storage/table.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int HistoryRounds = 100'000;
constexpr int ShippedPuzzles = 1'606;
const game::DrawChoice Choice {4, game::Hungarian, game::AllCategories, 0};
const std::vector<std::string> Names = {"Anna", "B\xE9la", "Cili", "Dani"};

double threadSeconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// A puzzle list of the shipped size, in memory, and 100,000 rounds played from it by four players.
struct Data
{
    storage::Table list {storage::puzzleColumns()};
    std::vector<players::RoundRecord> rounds;

    Data()
    {
        std::mt19937 random(7);
        list.open();
        std::vector<std::string> texts;
        for (int i = 0; i < ShippedPuzzles; ++i) {
            std::string text(5 + random() % 30, 'A');
            for (char& c : text)
                c = char('A' + random() % 26);
            texts.push_back(text);
            list.append();
            list.setString(storage::puzzle::Szoveg, text);
            list.setInt(storage::puzzle::Nyelv, random() % 5 == 0 ? game::English : game::Hungarian);
            list.setInt(storage::puzzle::Fokozat, 1 + int(random() % 4));
            list.setInt(storage::puzzle::Kategoria, 1 + int(random() % 16));
            list.post();
        }
        const int32_t start = game::localMinutes({2021, 12, 7}, 8, 0);
        for (int i = 0; i < HistoryRounds; ++i) {
            players::RoundRecord r;
            r.name = Names[random() % Names.size()];
            r.time = start + i * 26; // 50 rounds a day for five years
            r.text = texts[random() % texts.size()];
            r.language = game::Hungarian;
            r.level = 1 + int(random() % 4);
            r.category = 1 + int(random() % 16);
            r.outcome = 1 + int(random() % 4);
            r.score = int(random() % 200) - 50;
            rounds.push_back(std::move(r));
        }
    }
};

Data& data()
{
    static Data instance;
    return instance;
}

// The admitted puzzles' texts, where the list keeps them: the scan the draw makes anyway.
std::vector<std::string_view> admittedTexts(const storage::Table& list)
{
    const storage::IntColumnView level(list, storage::puzzle::Fokozat);
    const storage::IntColumnView language(list, storage::puzzle::Nyelv);
    const storage::IntColumnView category(list, storage::puzzle::Kategoria);
    std::vector<std::string_view> texts;
    texts.reserve(size_t(level.count()));
    for (int position = 0; position < level.count(); ++position) {
        if (game::isAdmitted(Choice, level.at(position), language.at(position), category.at(position)))
            texts.push_back(list.textAt(position, storage::puzzle::Szoveg));
    }
    return texts;
}

void BM_RecentSkipAgainstTheListScan(benchmark::State& state)
{
    Data& d = data();
    double skipTime = 0, floorTime = 0;
    int64_t skipped = 0;
    for (auto _ : state) {
        const double floorStart = threadSeconds();
        const std::vector<std::string_view> admitted = admittedTexts(d.list);
        floorTime += threadSeconds() - floorStart;

        const double skipStart = threadSeconds();
        const std::vector<std::string_view> met
            = players::lastPuzzles(d.rounds, "Anna", game::recentWindow(int(admitted.size())));
        const game::RecentSkip skip = game::recentSkip(admitted, met);
        skipTime += threadSeconds() - skipStart;
        skipped += skip.skippedCount;
        benchmark::DoNotOptimize(skip.fallback);
    }
    const double n = double(state.iterations());
    state.counters["scan_us"] = floorTime * 1e6 / n;
    state.counters["skip_us"] = skipTime * 1e6 / n;
    state.counters["skip_per_scan"] = skipTime / floorTime;
    state.counters["skipped"] = double(skipped) / n;
}
BENCHMARK(BM_RecentSkipAgainstTheListScan)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_StatisticsAgainstOnePass(benchmark::State& state)
{
    Data& d = data();
    const int32_t today = game::dayOfMinutes(d.rounds.back().time);
    double figuresTime = 0, floorTime = 0;
    for (auto _ : state) {
        const double floorStart = threadSeconds();
        int64_t sum = 0;
        for (const players::RoundRecord& r : d.rounds)
            sum += r.score;
        benchmark::DoNotOptimize(sum);
        floorTime += threadSeconds() - floorStart;

        const double figuresStart = threadSeconds();
        const players::PlayerStatistics s = players::statisticsOf(d.rounds, "Anna");
        const auto rows = players::ranking(d.rounds, Names, players::Period::AllTime, today);
        const int32_t streak = players::dailyStreak(d.rounds, "Anna", today);
        figuresTime += threadSeconds() - figuresStart;
        benchmark::DoNotOptimize(s.played + streak);
        benchmark::DoNotOptimize(rows.data());
    }
    const double n = double(state.iterations());
    state.counters["pass_ms"] = floorTime * 1e3 / n;
    state.counters["figures_ms"] = figuresTime * 1e3 / n;
    state.counters["figures_per_pass"] = figuresTime / floorTime;
}
BENCHMARK(BM_StatisticsAgainstOnePass)->Unit(benchmark::kMillisecond)->Iterations(20);

double wallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The history file of the 100,000 rounds in a folder of its own, written once.
const std::string& historyFile()
{
    static const std::string path = [] {
        const std::filesystem::path folder = std::filesystem::temp_directory_path()
            / ("brumvelda-history-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        const std::string file = (folder / "Brumvelda.tor").string();
        storage::Table table(storage::historyColumns());
        table.setFileSizeLimit(uint64_t {64} * 1024 * 1024);
        table.setFilePath(file);
        table.open();
        for (const players::RoundRecord& r : data().rounds)
            players::appendRound(table, r);
        (void)table.close();
        return file;
    }();
    return path;
}

void removeHistoryFolder()
{
    std::filesystem::remove_all(std::filesystem::path(historyFile()).parent_path());
}

// The floor of a save: the file's bytes written to a file beside it with one write and an fsync.
double plainWrite(const std::string& bytes, const std::string& path)
{
    const double start = wallSeconds();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const bool written = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    benchmark::DoNotOptimize(written);
    ::fsync(fd);
    ::close(fd);
    return wallSeconds() - start;
}

std::string fileBytes(const std::string& path)
{
    std::string bytes(std::filesystem::file_size(path), '\0');
    FILE* file = std::fopen(path.c_str(), "rb");
    const size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    bytes.resize(read);
    return bytes;
}

void BM_SaveAfterARoundAgainstAPlainWrite(benchmark::State& state)
{
    const std::string& path = historyFile();
    players::History history;
    history.setPath(path);
    benchmark::DoNotOptimize(history.rounds().size());
    const std::string floorPath = path + ".floor";
    double saveTime = 0, floorTime = 0;
    for (auto _ : state) {
        players::RoundRecord round = data().rounds.back();
        const double saveStart = wallSeconds();
        const storage::SaveOutcome saved = history.record(round);
        saveTime += wallSeconds() - saveStart;
        if (!saved.ok())
            state.SkipWithError(saved.error.c_str());
        floorTime += plainWrite(fileBytes(path), floorPath);
    }
    (void)history.close();
    std::filesystem::remove(floorPath);
    const double n = double(state.iterations());
    state.counters["write_ms"] = floorTime * 1e3 / n;
    state.counters["save_ms"] = saveTime * 1e3 / n;
    state.counters["save_per_write"] = saveTime / floorTime;
}
BENCHMARK(BM_SaveAfterARoundAgainstAPlainWrite)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FirstReadAgainstReadingTheBytes(benchmark::State& state)
{
    const std::string& path = historyFile();
    double readTime = 0, floorTime = 0;
    for (auto _ : state) {
        const double floorStart = wallSeconds();
        benchmark::DoNotOptimize(fileBytes(path).size());
        floorTime += wallSeconds() - floorStart;

        const double readStart = wallSeconds();
        players::History history;
        history.setPath(path);
        benchmark::DoNotOptimize(history.rounds().size());
        readTime += wallSeconds() - readStart;
        (void)history.close();
    }
    const double n = double(state.iterations());
    state.counters["bytes_ms"] = floorTime * 1e3 / n;
    state.counters["read_ms"] = readTime * 1e3 / n;
    state.counters["read_per_bytes"] = readTime / floorTime;
}
BENCHMARK(BM_FirstReadAgainstReadingTheBytes)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    removeHistoryFolder();
    return 0;
}
