#include "tools/table_kind.h"

#include "storage/schemas.h"

#include <algorithm>
#include <cctype>

namespace tabla {

std::optional<TableKind> tableKindOf(std::string_view path)
{
    std::size_t slash = path.rfind('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return std::nullopt;
    std::string extension(name.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (extension == ".lis")
        return TableKind::PuzzleList;
    if (extension == ".jat")
        return TableKind::PlayerRegister;
    return std::nullopt;
}

OpenedTable::OpenedTable(TableKind kind, const std::string& path)
    : m_kind(kind)
{
    if (kind == TableKind::PuzzleList) {
        m_table = std::make_unique<storage::Table>(storage::puzzleColumns());
    } else {
        m_table = std::make_unique<storage::Table>(storage::playerColumns());
        storage::configurePlayerRegister(*m_table);
    }
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
