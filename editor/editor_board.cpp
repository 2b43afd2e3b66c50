#include "editor/editor_board.h"

#include "editor/board_rows.h"
#include "editor/cell_chars.h"
#include "game/tables.h"

namespace editor {

namespace {

size_t firstIndexOf(int row) { return size_t((row - 1) * game::RowLength); }

bool isCell(int cell) { return cell >= 1 && cell <= game::CellCount; }

} // namespace

EditorBoard::EditorBoard() { clear(); }

std::string EditorBoard::row(int row) const { return m_cells.substr(firstIndexOf(row), game::RowLength); }

void EditorBoard::clear()
{
    m_cells.assign(game::CellCount, ' ');
    m_selected = 0;
}

BoardEdit EditorBoard::deselected()
{
    BoardEdit edit;
    if (m_selected > 0)
        edit.cells[size_t(m_selected - 1)] = true;
    m_selected = 0;
    return edit;
}

BoardEdit EditorBoard::select(int cell)
{
    if (!isCell(cell))
        return {};
    BoardEdit edit = deselected();
    m_selected = cell;
    edit.cells[size_t(cell - 1)] = true;
    return edit;
}

BoardEdit EditorBoard::empty(int cell)
{
    if (!isCell(cell))
        return {};
    BoardEdit edit = deselected();
    m_cells[size_t(cell - 1)] = ' ';
    edit.cells[size_t(cell - 1)] = true;
    return edit;
}

BoardEdit EditorBoard::type(char typed)
{
    const std::optional<char> capital = typedCellChar(typed);
    if (m_selected == 0 || !capital)
        return {};
    m_cells[size_t(m_selected - 1)] = *capital;
    return deselected();
}

BoardEdit EditorBoard::turnRow(int tag)
{
    if (tag < 1 || tag > 6)
        return {};
    const int turned = scrolledRow(tag);
    m_cells.replace(firstIndexOf(turned), game::RowLength, rotatedRow(row(turned), scrollsLeft(tag)));
    BoardEdit edit;
    for (size_t i = 0; i < size_t(game::RowLength); ++i)
        edit.cells[firstIndexOf(turned) + i] = true;
    return edit;
}

BoardEdit EditorBoard::writeRows(const std::array<std::string, 3>& fields)
{
    BoardEdit edit;
    for (int r = 1; r <= 3; ++r) {
        const std::string written = rowWithField(row(r), fields[size_t(r - 1)]);
        for (size_t i = 0; i < written.size(); ++i) {
            const size_t index = firstIndexOf(r) + i;
            edit.cells[index] = m_cells[index] != written[i];
            m_cells[index] = written[i];
        }
    }
    return edit;
}

} // namespace editor
