#pragma once
// The board being typed in editor mode, as a plain value: its 39 characters and the selected cell. Each
// edit answers with the cells to draw again; the main window draws them from the board and reads nothing
// back from its cells. Characters are Windows-1250 bytes; cells are numbered 1..39, rows 1..3.

#include "game/round_rules.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace editor {

// What one edit changed: cells whose character or highlight is new.
struct BoardEdit
{
    game::CellSet cells;
};

class EditorBoard
{
public:
    EditorBoard();

    // The 39 characters, row 1 first: the puzzle as it is stored.
    const std::string& cells() const { return m_cells; }
    char at(int cell) const { return m_cells.at(size_t(cell - 1)); }
    // The cell that receives the next typed character; 0 when none is selected.
    int32_t SelectedCell() const { return m_selected; }
    // Row 1..3 as 13 characters, as the details dialog shows it.
    std::string row(int row) const;
    std::array<std::string, 3> rows() const { return {row(1), row(2), row(3)}; }

    // Every cell a space, nothing selected: the board as editor mode starts and ends.
    void clear();
    // A left press: the cell becomes the selected one (again, when it already was).
    BoardEdit select(int cell);
    // A right press: the cell becomes a space and no cell stays selected.
    BoardEdit empty(int cell);
    // A typed character: the selected cell gets its capital and the selection ends. Nothing happens
    // without a selection; a refused character (digit, space, control key...) keeps the selection.
    BoardEdit type(char typed);
    // A row-scroll button, by its tag 1..6: the row turns by one place, nothing falls off, and the
    // selection stays on its cell.
    BoardEdit turnRow(int tag);
    // The rows of a confirmed details dialog: each field's characters as cells get them, from the first
    // cell of its row; cells past a shorter field keep theirs.
    BoardEdit writeRows(const std::array<std::string, 3>& fields);

private:
    BoardEdit deselected();

    std::string m_cells;
    int32_t m_selected = 0;
};

} // namespace editor
