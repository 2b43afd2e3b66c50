// The player dialog with 100,000 players in the register: creating it (load, grid model, restore), showing
// it, and re-sorting by a title click, each against a floor measured in the same loop:
//   create  against loading the same register into a bare table,
//   show    against showing a dialog of the same size with a grid over a plain 100,000-row model,
//   click   against sorting 100,000 record numbers by an integer key.
// Runs on Qt's offscreen platform.
#include "app/main_window.h"
#include "app/startup.h"
#include "players/jatekosok_dialog.h"
#include "players/player_model.h"
#include "players/player_register.h"
#include "storage/file_names.h"
#include "storage/paths.h"
#include "storage/schemas.h"
#include "storage/table.h"
#include "ui/modal.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QDialog>
#include <QTableView>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int PlayerCount = 100000;
using Clock = std::chrono::steady_clock;

// Closes a table the benchmark wrote, which must have been saved.
void closeSaved(storage::Table& table)
{
    if (const storage::SaveOutcome saved = table.close(); !saved.ok()) {
        std::fprintf(stderr, "%s\n", saved.error.c_str());
        std::abort();
    }
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A program folder with a register of 100,000 players of varied Hungarian-looking names; made once.
const std::string& programFolder()
{
    static const std::string folder = [] {
        std::string path = std::filesystem::temp_directory_path() / "brumvelda-players-bench-XXXXXX";
        if (!::mkdtemp(path.data()))
            std::abort();
        path = storage::withTrailingSlash(path);
        static const char* const parts[] = {"Kov\xE1"
                                            "cs",
                                            "Szab\xF3",
                                            "Nagy",
                                            "T\xF3th",
                                            "Kiss",
                                            "Moln\xE1r",
                                            "\xC9va",
                                            "\xC1"
                                            "d\xE1m",
                                            "Zs\xF3"
                                            "fi",
                                            "Csaba",
                                            "\xD6"
                                            "d\xF6n",
                                            "Lili"};
        std::mt19937 random(7);
        storage::Table table(storage::playerColumns());
        storage::configurePlayerRegister(table);
        table.setFilePath(path + storage::PlayerRegisterFile);
        table.open();
        for (int n = 0; n < PlayerCount; ++n) {
            table.append();
            table.setString(storage::player::Nev,
                            std::string(parts[random() % std::size(parts)]) + " "
                                + parts[random() % std::size(parts)] + " " + std::to_string(n));
            table.setInt(storage::player::OsszPont, static_cast<int32_t>(random() % 20000) - 2000);
            table.setInt(storage::player::Jatszott, static_cast<int32_t>(random() % 500));
            table.post();
        }
        closeSaved(table);
        return path;
    }();
    return folder;
}

// The real modal loop, for the game's windows; showAndClose() closes its dialogs once painted.
const ui::ModalRunner& realModalLoop()
{
    static const ui::ModalRunner runner;
    return runner;
}

// The game's windows made once in the folder; the dialogs measured are extra ones made beside them.
Windows& gameWindows()
{
    static Windows windows = [] {
        Windows made;
        StartupOptions options;
        options.programFolder = programFolder();
        options.randomSeed = 1;
        createWindows(made, realModalLoop(), options);
        return made;
    }();
    return windows;
}

// The floor of showing: a plain model of the same size in a grid in a dialog of the same size.
class PlainModel : public QAbstractTableModel
{
public:
    int rowCount(const QModelIndex& = QModelIndex()) const override { return PlayerCount; }
    int columnCount(const QModelIndex& = QModelIndex()) const override { return 4; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(index.row() * 4 + index.column()) : QVariant();
    }
};

// Shows the dialog as the game does and closes it once it has painted.
double showAndClose(QDialog& dialog)
{
    const auto start = Clock::now();
    const ui::ModalRunner closeWhenPainted([](QDialog& shown) {
        QApplication::processEvents();
        shown.reject();
    });
    closeWhenPainted.showModal(dialog);
    return secondsSince(start);
}

void PlayerDialogCreatedVersusRegisterLoad(benchmark::State& state)
{
    Windows& windows = gameWindows();
    double created = 0, floor = 0;
    for (auto _ : state) {
        {
            storage::Table bare(storage::playerColumns());
            storage::configurePlayerRegister(bare);
            bare.setFilePath(programFolder() + storage::PlayerRegisterFile);
            const auto start = Clock::now();
            bare.open();
            floor += secondsSince(start);
            state.PauseTiming();
        } // dropped unwritten, outside the measure
        state.ResumeTiming();
        // The start-up's part: the register read, the last player restored, the dialog made.
        const auto start = Clock::now();
        auto playerRegister = std::make_unique<players::Register>();
        playerRegister->open(programFolder() + storage::PlayerRegisterFile);
        benchmark::DoNotOptimize(playerRegister->restore(windows.frmMain->variables().LastPlayer));
        auto dialog = std::make_unique<TfrmJatekosok>(*playerRegister, realModalLoop(), windows.frmMain);
        created += secondsSince(start);
        state.PauseTiming();
        dialog.reset();
        playerRegister->table().closeWithoutSaving();
        playerRegister.reset();
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["load_ms"] = 1e3 * floor / n;
    state.counters["create_ms"] = 1e3 * created / n;
    state.counters["ratio"] = created / floor;
}

void PlayerDialogShownVersusPlainGrid(benchmark::State& state)
{
    Windows& windows = gameWindows();
    TfrmJatekosok& players = *windows.frmJatekosok;
    QDialog plain;
    plain.setFixedSize(611, 393);
    PlainModel model;
    auto* grid = new QTableView(&plain);
    grid->setGeometry(0, 0, 611, 228);
    grid->setModel(&model);
    double shown = 0, floor = 0;
    for (auto _ : state) {
        floor += showAndClose(plain);
        shown += showAndClose(players);
    }
    const double n = double(state.iterations());
    state.counters["plain_ms"] = 1e3 * floor / n;
    state.counters["show_ms"] = 1e3 * shown / n;
    state.counters["ratio"] = shown / floor;
}

// Each iteration starts from a freshly made dialog, so the first clicks on "Összes pontszám" and
// "Játszott menetek" build their orders; the later clicks switch between built orders.
void TitleClicksVersusIntegerSort(benchmark::State& state)
{
    Windows& windows = gameWindows();
    std::vector<int32_t> keys(PlayerCount);
    std::mt19937 random(3);
    for (int32_t& key : keys)
        key = static_cast<int32_t>(random() % 20000);
    double cold = 0, warm = 0, floor = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto playerRegister = std::make_unique<players::Register>();
        playerRegister->open(programFolder() + storage::PlayerRegisterFile);
        auto players = std::make_unique<TfrmJatekosok>(*playerRegister, realModalLoop(), windows.frmMain);
        playerRegister->table().moveTo(PlayerCount / 2);
        state.ResumeTiming();

        auto start = Clock::now();
        std::vector<uint32_t> order(PlayerCount);
        for (uint32_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
        benchmark::DoNotOptimize(order.data());
        floor += secondsSince(start);

        start = Clock::now();
        players->gJatekosTitleBtnClick(1);
        players->gJatekosTitleBtnClick(2);
        cold += secondsSince(start) / 2;

        start = Clock::now();
        players->gJatekosTitleBtnClick(0);
        players->gJatekosTitleBtnClick(1);
        players->gJatekosTitleBtnClick(2);
        players->gJatekosTitleBtnClick(3);
        warm += secondsSince(start) / 4;

        state.PauseTiming();
        players.reset();
        playerRegister->table().closeWithoutSaving();
        playerRegister.reset();
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["int_sort_ms"] = 1e3 * floor / n;
    state.counters["first_click_ms"] = 1e3 * cold / n;
    state.counters["later_click_ms"] = 1e3 * warm / n;
    state.counters["first_ratio"] = cold / floor;
    state.counters["later_ratio"] = warm / floor;
}

} // namespace

BENCHMARK(PlayerDialogCreatedVersusRegisterLoad)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(PlayerDialogShownVersusPlainGrid)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(TitleClicksVersusIntegerSort)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    programFolder();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    destroyWindows(gameWindows());
    std::filesystem::remove_all(programFolder());
    return 0;
}
