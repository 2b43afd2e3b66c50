#include "tools/table_kind.h"

#include "storage/ascii_case.h"
#include "storage/paths.h"
#include "storage/schemas.h"

namespace tabla {

std::optional<TableKind> tableKindOf(std::string_view path)
{
    const std::string_view name = storage::fileNameOf(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return std::nullopt;
    const std::string_view extension = name.substr(dot);
    if (storage::sameIgnoringAsciiCase(extension, ".lis"))
        return TableKind::PuzzleList;
    if (storage::sameIgnoringAsciiCase(extension, ".jat"))
        return TableKind::PlayerRegister;
    if (storage::sameIgnoringAsciiCase(extension, ".tor"))
        return TableKind::RoundHistory;
    return std::nullopt;
}

std::vector<storage::Column> columnsOf(TableKind kind)
{
    switch (kind) {
    case TableKind::PuzzleList:
        return storage::puzzleColumns();
    case TableKind::PlayerRegister:
        return storage::playerColumns();
    case TableKind::RoundHistory:
        break;
    }
    return storage::historyColumns();
}

OpenedTable::OpenedTable(TableKind kind, const std::string& path)
    : m_kind(kind)
{
    m_table = std::make_unique<storage::Table>(columnsOf(kind));
    if (kind == TableKind::PlayerRegister)
        storage::configurePlayerRegister(*m_table);
    m_table->setFilePath(path);
    try {
        m_table->open();
    } catch (...) {
        // A table whose load failed stays open with what it could read: dropped, never written.
        m_table->closeWithoutSaving();
        throw;
    }
}

} // namespace tabla
