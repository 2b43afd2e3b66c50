#include "tools/commands.h"

#include "game/draw_spread.h"
#include "storage/schemas.h"
#include "storage/storage_error.h"
#include "tools/dump.h"
#include "tools/import_records.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <memory>
#include <sys/stat.h>

namespace tabla {

namespace {

int fail(const std::string& where, const std::string& message)
{
    std::fprintf(stderr, "brumvelda-tabla: %s: %s\n", where.c_str(), message.c_str());
    return ExitFailure;
}

bool fileExists(const std::string& path)
{
    struct stat info
    {
    };
    return ::stat(path.c_str(), &info) == 0;
}

// check and dump look at a file that should be there: the game would quietly open a missing one as empty,
// which would hide a mistyped name.
std::unique_ptr<OpenedTable> openExisting(TableKind kind, const std::string& path, int& status)
{
    if (!fileExists(path)) {
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

} // namespace

int runCheck(TableKind kind, const std::string& path)
{
    int status = ExitOk;
    std::unique_ptr<OpenedTable> opened = openExisting(kind, path, status);
    if (!opened)
        return status;
    std::printf("%d\n", opened->table().recordCount());
    return ExitOk;
}

int runDump(TableKind kind, const std::string& path)
{
    int status = ExitOk;
    std::unique_ptr<OpenedTable> opened = openExisting(kind, path, status);
    if (!opened)
        return status;
    dumpTable(*opened, stdout);
    return std::fflush(stdout) == 0 ? ExitOk : fail(path, "a kimenet nem írható");
}

int runImport(TableKind kind, const std::string& path)
{
    // The file is loaded first so a damaged one is reported before any input is read.
    std::unique_ptr<OpenedTable> opened;
    try {
        opened = std::make_unique<OpenedTable>(kind, path);
    } catch (const storage::StorageError& e) {
        return fail(path, e.what());
    }

    std::string input(std::istreambuf_iterator<char>(std::cin), {});
    ImportResult parsed = parseImport(kind, input);
    if (auto* failure = std::get_if<ImportFailure>(&parsed))
        return fail("<stdin>:" + std::to_string(failure->line), failure->message);
    const auto& records = std::get<std::vector<ImportRecord>>(parsed);

    // Nothing reaches the file until every line has passed; the save then replaces it in one rename.
    try {
        appendRecords(opened->table(), records);
        opened->save();
    } catch (const storage::StorageError& e) {
        return fail(path, e.what());
    }
    std::printf("%zu\n", records.size());
    return ExitOk;
}

int runShuffle(TableKind kind, const std::string& path, uint32_t seed)
{
    if (kind != TableKind::PuzzleList)
        return fail(path, "csak feladványlistát (.lis) lehet keverni");
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
        opened->save();
    } catch (const storage::StorageError& e) {
        return fail(path, e.what());
    }
    std::printf("%d\n", count);
    return ExitOk;
}

} // namespace tabla
