// Any bytes as a puzzle list and as a player register: a load ends in a table or a storage error, and a
// table that loaded writes a file that loads back to the same records.
#include "storage/schemas.h"
#include "storage/storage_error.h"
#include "storage/table.h"
#include "storage/table_file.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const std::string folder = "/tmp/brumvelda-table-fuzz-" + std::to_string(::getpid());

void loadAndRewrite(std::vector<storage::Column> columns, bool players, const std::string& input)
{
    storage::Table table(columns);
    if (players)
        storage::configurePlayerRegister(table);
    table.setFilePath(input);
    try {
        table.open();
    } catch (const storage::StorageError&) {
        table.closeWithoutSaving(); // leave the input alone: no backup, no rewrite
        return;
    }
    const std::string output = folder + ".out.lis";
    storage::SaveTableFile(table, output);
    storage::Table again(columns);
    if (players)
        storage::configurePlayerRegister(again);
    again.setFilePath(output);
    again.open();
    if (again.recordCount() != table.recordCount())
        __builtin_trap();
    again.closeWithoutSaving();
    table.closeWithoutSaving();
    std::remove(output.c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input = folder + ".in.lis";
    if (FILE* file = std::fopen(input.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    } else {
        return 0;
    }
    loadAndRewrite(storage::puzzleColumns(), false, input);
    loadAndRewrite(storage::playerColumns(), true, input);
    std::remove(input.c_str());
    return 0;
}
