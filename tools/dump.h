#pragma once
// `dump`: the records in the table's order as tab-separated UTF-8, a header line of column names first.

#include "tools/table_kind.h"

#include <cstdio>

namespace tabla {

void dumpTable(OpenedTable& opened, std::FILE* out);

} // namespace tabla
