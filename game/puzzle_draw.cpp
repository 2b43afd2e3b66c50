#include "game/puzzle_draw.h"

#include "game/round_rules.h"
#include "storage/int_column_view.h"
#include "storage/schemas.h"

#include <limits>

namespace game {

DrawResult drawPuzzle(storage::Table& dbLista, int32_t PuzzleCount, int32_t start, const DrawChoice& choice)
{
    DrawResult result;
    if (PuzzleCount <= 0)
        return result;
    // first and moveBy end any pending edit, so the columns below read what the cursor would.
    dbLista.first();
    dbLista.moveBy(start);
    if (dbLista.eof())
        return result; // an empty list, or a count that ran ahead of it (it should not)

    // The scan walks the records as next() would, wrapping to the first after the last, but reads the
    // three columns in place; the cursor is moved once, to the record chosen.
    const storage::IntColumnView level(dbLista, storage::puzzle::Fokozat);
    const storage::IntColumnView language(dbLista, storage::puzzle::Nyelv);
    const storage::IntColumnView category(dbLista, storage::puzzle::Kategoria);
    const int records = level.count();
    const int first = dbLista.currentPosition();
    // The level test as one range, the test most records of a long list fail.
    const int32_t lowest = choice.ExactLevel == 1 ? choice.PlayLevel : std::numeric_limits<int32_t>::min();
    const int32_t highest = choice.PlayLevel;
    auto admitted = [&](int position) {
        const int32_t Fokozat = level.at(position);
        // The text is read only for a record that passed the rest, usually the one drawn.
        return Fokozat >= lowest && Fokozat <= highest && languageFits(choice, language.at(position))
            && categoryFits(choice, category.at(position))
            && hasLetter(dbLista.textAt(position, storage::puzzle::Szoveg));
    };
    auto chosen = [&](int position, int64_t tests) {
        dbLista.moveTo(position);
        return DrawResult {true, tests};
    };
    // From the start to the last record, then from the first record round to the start again: the
    // PuzzleCount + 1 tests, without a wrap test at every step.
    for (int position = first; position < records; ++position) {
        if (admitted(position))
            return chosen(position, position - first + 1);
    }
    for (int position = 0; position <= first; ++position) {
        if (admitted(position))
            return chosen(position, records - first + position + 1);
    }
    result.tests = int64_t {records} + 1;
    return result;
}

DrawnRound drawRound(Round& round, storage::Table& dbLista, int32_t PuzzleCount, int32_t start,
                     const DrawChoice& choice)
{
    round.prepareDraw();
    if (!drawPuzzle(dbLista, PuzzleCount, start, choice).admitted)
        return {};
    round.start(dbLista.asString(storage::puzzle::Szoveg), dbLista.asString(storage::puzzle::Sugo1),
                dbLista.asString(storage::puzzle::Sugo2), dbLista.asInt(storage::puzzle::Nyelv), choice);
    return {true, dbLista.asInt(storage::puzzle::Kategoria)};
}

} // namespace game
