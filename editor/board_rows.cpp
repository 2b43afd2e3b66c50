#include "editor/board_rows.h"

#include "editor/cell_chars.h"

namespace editor {

int scrolledRow(int tag)
{
    const int row = tag % 3;
    return row == 0 ? 3 : row;
}

bool scrollsLeft(int tag) { return tag <= 3; }

std::string rotatedRow(std::string_view row, bool left)
{
    std::string turned(row);
    if (turned.size() < 2)
        return turned;
    if (left)
        return turned.substr(1) + turned.front();
    return turned.back() + turned.substr(0, turned.size() - 1);
}

std::string rowWithField(std::string_view row, std::string_view field)
{
    std::string result(row);
    // A field never holds more than a row; anything beyond would have no cell to go to.
    for (std::size_t i = 0; i < field.size() && i < result.size(); ++i)
        result[i] = NormalizeCellChar(field[i]);
    return result;
}

} // namespace editor
