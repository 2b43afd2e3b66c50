#include "editor/new_puzzle.h"

#include "game/round_rules.h"
#include "storage/schemas.h"

#include <stdexcept>

namespace editor {

int appendPuzzle(storage::Table& list, std::string_view text, const PuzzleDetails& details)
{
    if (!game::hasLetter(text))
        throw std::runtime_error(NoLetterMessage);
    list.append();
    try {
        list.setString(storage::puzzle::Szoveg, text);
        list.setInt(storage::puzzle::Nyelv, details.language);
        list.setString(storage::puzzle::Sugo1, details.hint1);
        list.setString(storage::puzzle::Sugo2, details.hint2);
        list.setInt(storage::puzzle::Fokozat, details.level);
        list.setInt(storage::puzzle::Kategoria, details.category);
        list.post();
    } catch (...) {
        // A half-made record must not be posted by whatever touches the list next.
        if (list.state() == storage::TableState::Insert)
            list.cancel();
        throw;
    }
    return list.recordCount();
}

} // namespace editor
