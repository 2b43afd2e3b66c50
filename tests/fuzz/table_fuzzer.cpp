// Any bytes as a puzzle list and as a player register: a parse ends in records and perhaps a storage error,
// never a crash, and a table that took records the parse read whole writes bytes that parse back to the same
// records and the same bytes.
#include "storage/schemas.h"
#include "storage/table.h"
#include "storage/table_file.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

void parseAndRewrite(const std::vector<storage::Column>& columns, bool players, std::string_view input)
{
    storage::LoadedTable loaded = storage::parseTableFile(input, columns);
    if (!loaded.error().empty())
        return;
    storage::Table table(columns);
    if (players)
        storage::configurePlayerRegister(table);
    table.adopt(std::move(loaded)); // no file path: nothing is read or written
    const std::string written = storage::tableFileBytes(table);
    storage::Table again(columns);
    again.adopt(storage::parseTableFile(written, columns));
    if (again.recordCount() != table.recordCount() || storage::tableFileBytes(again) != written)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    parseAndRewrite(storage::puzzleColumns(), false, input);
    parseAndRewrite(storage::playerColumns(), true, input);
    return 0;
}
