// Table file and in-memory table figures, each against a floor measured in the same run:
// load vs read() of the same file, save vs write+fsync of the same bytes, peak memory vs the file's size,
// building each player sort order, and the draw's full scan.
#include "storage/schemas.h"
#include "storage/table.h"
#include "storage/table_file.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <malloc.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace storage;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int PuzzleRecords = 1'000'000;

// Closes a table the benchmark wrote, which must have been saved.
void closeSaved(storage::Table& table)
{
    if (const storage::SaveOutcome saved = table.close(); !saved.ok()) {
        std::fprintf(stderr, "%s\n", saved.error.c_str());
        std::abort();
    }
}

// The 1,000,000-record list, written once per run and removed at exit.
struct BigList
{
    std::string path = "/tmp/brumvelda-bench-" + std::to_string(::getpid()) + ".lis";
    BigList()
    {
        Table t(puzzleColumns());
        t.setFilePath(path);
        t.open();
        std::mt19937 random(7);
        auto word = [&](size_t length) {
            std::string s;
            for (size_t i = 0; i < length; ++i)
                s += char('A' + random() % 26);
            return s;
        };
        for (int i = 0; i < PuzzleRecords; ++i) {
            t.append();
            t.setString(puzzle::Szoveg, word(39));
            t.setInt(puzzle::Nyelv, 1 + int(random() % 2));
            t.setString(puzzle::Sugo1, word(random() % 40));
            t.setString(puzzle::Sugo2, word(random() % 20));
            t.setInt(puzzle::Fokozat, 1 + int(random() % 4));
            t.setInt(puzzle::Kategoria, 1 + int(random() % 16));
            t.post();
        }
        closeSaved(t);
    }
    ~BigList() { std::remove(path.c_str()); }
};

const std::string& bigListPath()
{
    static const BigList list;
    return list.path;
}

uint64_t fileSize(const std::string& path)
{
    struct stat info
    {
    };
    ::stat(path.c_str(), &info);
    return uint64_t(info.st_size);
}

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double readWholeFile(const std::string& path)
{
    const auto start = Clock::now();
    const int fd = ::open(path.c_str(), O_RDONLY);
    std::string buffer(fileSize(path), '\0');
    size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t got = ::read(fd, buffer.data() + done, buffer.size() - done);
        if (got <= 0)
            break;
        done += size_t(got);
    }
    ::close(fd);
    benchmark::DoNotOptimize(buffer.data());
    return seconds(Clock::now() - start);
}

double writeAndSync(const std::string& path, const std::string& bytes)
{
    const auto start = Clock::now();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote <= 0)
            break;
        done += size_t(wrote);
    }
    ::fsync(fd);
    ::close(fd);
    return seconds(Clock::now() - start);
}

// Dropping the table writes nothing back.
using OpenedList = std::unique_ptr<Table>;

OpenedList loadBigList()
{
    OpenedList t(new Table(puzzleColumns()));
    t->setFilePath(bigListPath());
    t->open();
    return t;
}

long statusKb(const char* field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::strlen(field)));
    return -1;
}

void BM_LoadPuzzleList(benchmark::State& state)
{
    const std::string& path = bigListPath();
    double load = 0, floor = 0;
    for (auto _ : state) {
        floor += readWholeFile(path);
        const auto start = Clock::now();
        auto t = loadBigList();
        load += seconds(Clock::now() - start);
        benchmark::DoNotOptimize(t->recordCount());
        state.PauseTiming();
        t.reset();
        state.ResumeTiming();
    }
    state.counters["file_MB"] = double(fileSize(path)) / 1e6;
    state.counters["read_ms"] = floor * 1e3 / double(state.iterations());
    state.counters["load_ms"] = load * 1e3 / double(state.iterations());
    state.counters["load_per_read"] = load / floor;
}
BENCHMARK(BM_LoadPuzzleList)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SavePuzzleList(benchmark::State& state)
{
    const std::string out = bigListPath() + ".out.lis";
    std::ifstream in(bigListPath(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    double save = 0, floor = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto t = loadBigList(); // a table saves once per load, so each save gets a fresh one
        state.ResumeTiming();
        floor += writeAndSync(out, bytes);
        const auto start = Clock::now();
        SaveTableFile(*t, out);
        save += seconds(Clock::now() - start);
        state.PauseTiming();
        t.reset();
        state.ResumeTiming();
    }
    std::remove(out.c_str());
    state.counters["write_fsync_ms"] = floor * 1e3 / double(state.iterations());
    state.counters["save_ms"] = save * 1e3 / double(state.iterations());
    state.counters["save_per_write"] = save / floor;
}
BENCHMARK(BM_SavePuzzleList)->Unit(benchmark::kMillisecond)->Iterations(5);

// Peak resident growth while loading (the kernel's high-water mark, reset first) and heap in use after it.
void BM_PuzzleListMemory(benchmark::State& state)
{
    const double size = double(fileSize(bigListPath()));
    for (auto _ : state) {
        std::ofstream("/proc/self/clear_refs") << "5";
        const long baseKb = statusKb("VmRSS:");
        const size_t heapBefore = mallinfo2().uordblks + mallinfo2().hblkhd;
        auto t = loadBigList();
        const long peakKb = statusKb("VmHWM:");
        const size_t heapAfter = mallinfo2().uordblks + mallinfo2().hblkhd;
        state.counters["peak_rss_per_file"] = double(peakKb - baseKb) * 1024 / size;
        state.counters["heap_per_file"] = double(heapAfter - heapBefore) / size;
    }
}
BENCHMARK(BM_PuzzleListMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// The draw: first, move by a random count, then next with wrap until every record was seen once.
void BM_DrawScan(benchmark::State& state)
{
    auto t = loadBigList();
    std::mt19937 random(3);
    for (auto _ : state) {
        const int count = t->recordCount();
        t->first();
        t->moveBy(int(random() % uint32_t(count)));
        int64_t sum = 0;
        for (int i = 0; i < count; ++i) {
            sum += t->asInt(puzzle::Fokozat);
            t->next();
            if (t->eof())
                t->first();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["ns_per_record"]
        = benchmark::Counter(double(state.iterations()) * PuzzleRecords,
                             benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DrawScan)->Unit(benchmark::kMillisecond)->Iterations(3);

// Selecting an order builds it from nothing (the orders are kept sorted afterwards, not re-sorted): the
// first selection after a load, so each selection is made in a freshly loaded register.
void BM_SelectPlayerOrder(benchmark::State& state)
{
    static const char* const names[] = {"iNev", "iOsszPont", "iJatszott", "iAtlag"};
    const char* order = names[state.range(1)];
    const std::string path = "/tmp/brumvelda-bench-" + std::to_string(::getpid()) + ".jat";
    auto registerTable = [&] {
        OpenedList t(new Table(playerColumns()));
        configurePlayerRegister(*t);
        t->setConfiguredOrder("");
        t->setFilePath(path);
        t->open();
        return t;
    };
    {
        std::remove(path.c_str());
        auto t = registerTable();
        std::mt19937 random(5);
        for (int64_t i = 0; i < state.range(0); ++i) {
            t->append();
            std::string name;
            for (int k = 0; k < 4 + int(random() % 12); ++k)
                name += char((k ? 'a' : 'A') + random() % 26);
            t->setString(player::Nev, name);
            t->setInt(player::OsszPont, int(random() % 100000) - 20000);
            t->setInt(player::Jatszott, int(random() % 500));
            t->post();
        }
        closeSaved(*t);
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto t = registerTable();
        state.ResumeTiming();
        t->selectSortOrder(order);
        state.PauseTiming();
        t.reset();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
    state.SetLabel(order);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SelectPlayerOrder)
    ->Unit(benchmark::kMillisecond)
    ->ArgsProduct({{25'000, 100'000}, {0, 1, 2, 3}});

} // namespace

BENCHMARK_MAIN();
