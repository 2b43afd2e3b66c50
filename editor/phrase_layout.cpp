#include "editor/phrase_layout.h"

#include "editor/cell_chars.h"
#include "game/tables.h"

#include <vector>

namespace editor {

namespace {

constexpr int RowCount = game::CellCount / game::RowLength;

std::vector<std::string> greedyRows(const std::string& phrase)
{
    std::vector<std::string> rows;
    std::size_t pos = 0;
    while (pos < phrase.size()) {
        std::size_t end = phrase.find(' ', pos);
        if (end == std::string::npos)
            end = phrase.size();
        if (end > pos) {
            std::string_view word(phrase.data() + pos, end - pos);
            if (!rows.empty() && rows.back().size() + 1 + word.size() <= std::size_t(game::RowLength))
                rows.back().append(" ").append(word);
            else
                rows.emplace_back(word);
        }
        pos = end + 1;
    }
    return rows;
}

std::string centred(const std::string& row)
{
    std::size_t spare = std::size_t(game::RowLength) - row.size();
    std::size_t left = spare / 2;
    return std::string(left, ' ') + row + std::string(spare - left, ' ');
}

} // namespace

PhraseLayout layOutPuzzleText(std::string_view text)
{
    PhraseLayout layout;
    std::string upper;
    upper.reserve(text.size());
    for (char c : text) {
        char cell = upperCaseCellChar(c);
        if (!game::isBoardCharacter(cell)) {
            layout.problem = LayoutProblem::NotBoardCharacter;
            layout.character = c;
            return layout;
        }
        upper.push_back(cell);
    }

    if (upper.size() == std::size_t(game::CellCount)) {
        layout.cells = std::move(upper);
        return layout;
    }

    std::vector<std::string> rows = greedyRows(upper);
    bool wordTooLong = false;
    for (const std::string& row : rows)
        wordTooLong = wordTooLong || row.size() > std::size_t(game::RowLength);
    if (wordTooLong || rows.size() > std::size_t(RowCount)) {
        layout.problem = LayoutProblem::DoesNotFit;
        return layout;
    }

    // A single row sits in the middle of the board; two or three start at the top.
    std::size_t firstRow = rows.size() == 1 ? 1 : 0;
    std::string blankRow(std::size_t(game::RowLength), ' ');
    for (std::size_t r = 0; r < std::size_t(RowCount); ++r) {
        bool filled = r >= firstRow && r - firstRow < rows.size();
        layout.cells += filled ? centred(rows[r - firstRow]) : blankRow;
    }
    return layout;
}

} // namespace editor
