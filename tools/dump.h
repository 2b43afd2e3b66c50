#pragma once
// `dump`: the records in the table's order as tab-separated UTF-8, a header line of column names first.

#include "tools/table_kind.h"

#include <cstdio>

namespace tabla {

// False when the output could not be written whole.
bool dumpTable(OpenedTable& opened, std::FILE* out);

} // namespace tabla
