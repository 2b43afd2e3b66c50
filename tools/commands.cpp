#include "tools/commands.h"

#include "game/draw_spread.h"
#include "platform/file.h"
#include "storage/folder_lock.h"
#include "storage/schemas.h"
#include "storage/storage_error.h"
#include "tools/dump.h"
#include "tools/import_records.h"
#include "tools/output.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>

namespace tabla {

namespace {

constexpr const char* OutputFailed = "a kimenet nem írható ki (teli lemez, lezárt kimenet?)";
constexpr const char* GameRunning = "a Brumvelda játék fut ebben a mappában, és kilépéskor felülírná a "
                                    "változást; lépjen ki a játékból, és próbálja újra. A fájl nem változott";

int fail(const std::string& where, const std::string& message)
{
    std::fprintf(stderr, "brumvelda-tabla: %s: %s\n", where.c_str(), message.c_str());
    return ExitFailure;
}

// check and dump look at a file that should be there: the game would quietly open a missing one as empty,
// which would hide a mistyped name.
std::unique_ptr<OpenedTable> openExisting(TableKind kind, const std::string& path, int& status)
{
    if (!platform::exists(path)) {
        status = fail(path, "nincs ilyen fájl");
        return nullptr;
    }
    try {
        return std::make_unique<OpenedTable>(kind, path);
    } catch (const storage::StorageError& e) {
        status = fail(path, e.what());
        return nullptr;
    }
}

// Only one writer per folder: a game running there would write its own copy of the list over the change
// when it ends. Every folder the path passes through is locked, the link's and its target's: the game may
// reach the same file through either. Returns the failure's exit status, or nothing when all are held.
std::optional<int> lockForWriting(const std::string& path, std::unique_ptr<storage::PathLocks>& locks)
{
    locks = std::make_unique<storage::PathLocks>(path);
    switch (locks->state()) {
    case storage::FolderLock::State::TakenByAnother:
        return fail(path, GameRunning);
    case storage::FolderLock::State::Refused:
        return fail(path, locks->problem() + ", ezért a fájl nem írható; a fájl nem változott");
    default:
        return std::nullopt;
    }
}

} // namespace

int runCheck(TableKind kind, const std::string& path)
{
    int status = ExitOk;
    std::unique_ptr<OpenedTable> opened = openExisting(kind, path, status);
    if (!opened)
        return status;
    const bool written = writeOut(std::to_string(opened->table().recordCount()) + "\n");
    opened->closeWithoutSaving();
    return finishOutput() && written ? ExitOk : fail(path, OutputFailed);
}

int runDump(TableKind kind, const std::string& path)
{
    int status = ExitOk;
    std::unique_ptr<OpenedTable> opened = openExisting(kind, path, status);
    if (!opened)
        return status;
    const bool written = dumpTable(*opened, stdout);
    opened->closeWithoutSaving();
    return finishOutput() && written ? ExitOk : fail(path, OutputFailed);
}

int runImport(TableKind kind, const std::string& path)
{
    // The input is read before the folder is locked: a game started while the input is still being typed
    // or piped must not be turned away.
    std::string input(std::istreambuf_iterator<char>(std::cin), {});
    ImportResult parsed = parseImport(kind, input);
    if (auto* failure = std::get_if<ImportFailure>(&parsed))
        return fail("<stdin>:" + std::to_string(failure->line)
                        + (failure->column ? ":" + std::to_string(failure->column) : std::string()),
                    failure->message);
    const auto& records = std::get<std::vector<ImportRecord>>(parsed);

    std::unique_ptr<storage::PathLocks> locks;
    if (const auto refused = lockForWriting(path, locks))
        return *refused;
    std::unique_ptr<OpenedTable> opened;
    try {
        opened = std::make_unique<OpenedTable>(kind, path);
    } catch (const storage::StorageError& e) {
        return fail(path, e.what());
    }

    // Nothing reaches the file until every line has passed; the save then replaces it in one rename.
    try {
        appendRecords(opened->table(), records);
    } catch (const storage::StorageError& e) {
        return fail(path, e.what());
    }
    if (const storage::SaveOutcome saved = opened->saveAndClose(); !saved.ok())
        return fail(path, saved.reason);
    const bool written = writeOut(std::to_string(records.size()) + "\n");
    return finishOutput() && written ? ExitOk : fail(path, OutputFailed);
}

int runShuffle(TableKind kind, const std::string& path, uint32_t seed)
{
    if (kind != TableKind::PuzzleList)
        return fail(path, "csak feladványlistát (.lis) lehet keverni");
    std::unique_ptr<storage::PathLocks> locks;
    if (const auto refused = lockForWriting(path, locks))
        return *refused;
    int status = ExitOk;
    std::unique_ptr<OpenedTable> opened = openExisting(kind, path, status);
    if (!opened)
        return status;
    storage::Table& list = opened->table();
    const int count = list.recordCount();
    std::vector<game::PuzzleKind> kinds;
    kinds.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        kinds.push_back({list.intAt(i, storage::puzzle::Nyelv), list.intAt(i, storage::puzzle::Fokozat),
                         list.intAt(i, storage::puzzle::Kategoria)});
    try {
        list.reorderRecords(game::spreadOrder(kinds, seed));
    } catch (const storage::StorageError& e) {
        return fail(path, e.what());
    }
    if (const storage::SaveOutcome saved = opened->saveAndClose(); !saved.ok())
        return fail(path, saved.reason);
    const bool written = writeOut(std::to_string(count) + "\n");
    return finishOutput() && written ? ExitOk : fail(path, OutputFailed);
}

} // namespace tabla
