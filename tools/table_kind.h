#pragma once
// The tool's three kinds of table, told apart by the file name's extension, and a table opened for the tool.

#include "storage/table.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabla {

enum class TableKind { PuzzleList, PlayerRegister, RoundHistory };

// ".lis" is a puzzle list, ".jat" a player register, ".tor" a round history (in any letter case); anything
// else is no table of ours.
std::optional<TableKind> tableKindOf(std::string_view path);

// A table loaded as the game loads it. The tool never writes a file it only looked at: the file is written
// only by saveAndClose(); closeWithoutSaving() and dropping the object leave it alone.
class OpenedTable
{
public:
    OpenedTable(TableKind kind, const std::string& path); // throws storage::StorageError when the load fails
    OpenedTable(const OpenedTable&) = delete;
    OpenedTable& operator=(const OpenedTable&) = delete;

    TableKind kind() const { return m_kind; }
    storage::Table& table() { return *m_table; }

    // Writes the whole table through the table's own save (a temporary file renamed over the old one) and
    // closes it, whatever the outcome.
    [[nodiscard]] storage::SaveOutcome saveAndClose() { return m_table->close(); }
    void closeWithoutSaving() { m_table->closeWithoutSaving(); }

private:
    TableKind m_kind;
    std::unique_ptr<storage::Table> m_table;
};

// The columns of that kind of table.
std::vector<storage::Column> columnsOf(TableKind kind);

} // namespace tabla
