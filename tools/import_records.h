#pragma once
// `import`: tab-separated UTF-8 records checked against the rules of their table, before anything is stored.

#include "storage/table.h"
#include "tools/table_kind.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tabla {

struct ImportField
{
    enum class Kind { Skip, Null, Int, Text } kind = Kind::Skip;
    int32_t number = 0;
    std::string text; // Windows-1250
};
using ImportRecord = std::vector<ImportField>; // one per column of the table, in column order

struct ImportFailure
{
    int line = 0; // 1-based line of the input, the header being line 1
    std::string message;
    int column
        = 0; // 1-based character of that line where the fault is, 0 when the line as a whole is at fault
};

using ImportResult = std::variant<std::vector<ImportRecord>, ImportFailure>;

// Reads the whole input; the first fault ends it and names its line.
ImportResult parseImport(TableKind kind, std::string_view input);

// Appends and posts every record; the table must be open.
void appendRecords(storage::Table& table, const std::vector<ImportRecord>& records);

} // namespace tabla
