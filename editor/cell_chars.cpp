#include "editor/cell_chars.h"

#include "game/tables.h"

namespace editor {

char upperCaseCellChar(char c)
{
    // SmallLetters and CapitalLetters list the same alphabet in the same order, and that alphabet holds
    // all of a-z and exactly the nine accented letters the editor upper-cases.
    std::size_t index = game::SmallLetters.find(c);
    return index == std::string_view::npos ? c : game::CapitalLetters[index];
}

std::optional<char> typedCellChar(char c)
{
    if (game::isSmallLetter(c) || game::isCapitalLetter(c) || game::isPunctuationMark(c))
        return upperCaseCellChar(c);
    return std::nullopt;
}

char NormalizeCellChar(char c)
{
    char upper = upperCaseCellChar(c);
    return game::isCapitalLetter(upper) || game::isPunctuationMark(upper) ? upper : ' ';
}

} // namespace editor
