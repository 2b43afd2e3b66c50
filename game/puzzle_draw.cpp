#include "game/puzzle_draw.h"

#include "storage/schemas.h"

namespace game {

DrawResult drawPuzzle(storage::Table& dbLista, int32_t PuzzleCount, int32_t start, const DrawChoice& choice)
{
    DrawResult result;
    if (PuzzleCount <= 0)
        return result;
    dbLista.first();
    dbLista.moveBy(start);
    // A count that ran ahead of the list (it should not) must not test a record past the end.
    if (dbLista.eof())
        dbLista.first();
    const int64_t allowed = int64_t {PuzzleCount} + 1;
    while (result.tests < allowed) {
        ++result.tests;
        if (isAdmitted(choice, dbLista.asInt(storage::puzzle::Fokozat), dbLista.asInt(storage::puzzle::Nyelv),
                       dbLista.asInt(storage::puzzle::Kategoria))) {
            result.admitted = true;
            return result;
        }
        dbLista.next();
        if (dbLista.eof())
            dbLista.first();
    }
    return result;
}

} // namespace game
