#include "game/puzzle_draw.h"

#include "game/daily_puzzle.h"
#include "game/round_rules.h"
#include "storage/int_column_view.h"
#include "storage/schemas.h"

#include <limits>

namespace game {

namespace {

// The draw's test of one record, reading the three columns in place.
class Admission
{
public:
    Admission(const storage::Table& dbLista, const DrawChoice& choice)
        : m_list(dbLista)
        , m_level(dbLista, storage::puzzle::Fokozat)
        , m_language(dbLista, storage::puzzle::Nyelv)
        , m_category(dbLista, storage::puzzle::Kategoria)
        , m_choice(choice)
        // The level test as one range, the test most records of a long list fail.
        , m_lowest(choice.ExactLevel == 1 ? choice.PlayLevel : std::numeric_limits<int32_t>::min())
    {
    }
    int records() const { return m_level.count(); }
    bool operator()(int position) const
    {
        const int32_t Fokozat = m_level.at(position);
        // The text is read only for a record that passed the rest, usually the one drawn.
        return Fokozat >= m_lowest && Fokozat <= m_choice.PlayLevel
            && languageFits(m_choice, m_language.at(position))
            && categoryFits(m_choice, m_category.at(position))
            && hasLetter(m_list.textAt(position, storage::puzzle::Szoveg));
    }

private:
    const storage::Table& m_list;
    const storage::IntColumnView m_level;
    const storage::IntColumnView m_language;
    const storage::IntColumnView m_category;
    const DrawChoice m_choice;
    const int32_t m_lowest;
};

} // namespace

RecentPuzzles recentPuzzles(const storage::Table& dbLista, const DrawChoice& choice,
                            std::span<const std::string_view> metOldestFirst)
{
    RecentPuzzles recent;
    if (metOldestFirst.empty() || !dbLista.isOpen())
        return recent;
    const Admission admitted(dbLista, choice);
    std::vector<int> positions;
    std::vector<std::string_view> texts;
    for (int position = 0; position < admitted.records(); ++position) {
        if (admitted(position)) {
            positions.push_back(position);
            texts.push_back(dbLista.textAt(position, storage::puzzle::Szoveg));
        }
    }
    const RecentSkip skip = recentSkip(texts, metOldestFirst);
    if (skip.skippedCount == 0)
        return recent;
    recent.skipped.assign(size_t(admitted.records()), false);
    for (size_t i = 0; i < positions.size(); ++i)
        recent.skipped[size_t(positions[i])] = skip.skipped[i];
    if (skip.fallback >= 0)
        recent.fallback = positions[size_t(skip.fallback)];
    return recent;
}

DrawResult drawPuzzle(storage::Table& dbLista, int32_t PuzzleCount, int32_t start, const DrawChoice& choice,
                      const RecentPuzzles& recent)
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
    // columns in place; the cursor is moved once, to the record chosen.
    const Admission admission(dbLista, choice);
    const int records = admission.records();
    const int first = dbLista.currentPosition();
    const bool skips = recent.skipped.size() == size_t(records);
    auto admitted
        = [&](int position) { return admission(position) && !(skips && recent.skipped[size_t(position)]); };
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
    // Every admitted record was met lately: the one met longest ago is drawn again.
    if (skips && recent.fallback >= 0 && recent.fallback < records)
        return chosen(recent.fallback, result.tests);
    return result;
}

DrawnRound drawRound(Round& round, storage::Table& dbLista, int32_t PuzzleCount, int32_t start,
                     const DrawChoice& choice, const RecentPuzzles& recent)
{
    round.prepareDraw();
    if (!drawPuzzle(dbLista, PuzzleCount, start, choice, recent).admitted)
        return {};
    return startFromCurrent(round, dbLista, choice);
}

DrawnRound startFromCurrent(Round& round, const storage::Table& table, const DrawChoice& choice)
{
    round.prepareDraw();
    round.start(table.asString(storage::puzzle::Szoveg), table.asString(storage::puzzle::Sugo1),
                table.asString(storage::puzzle::Sugo2), table.asInt(storage::puzzle::Nyelv), choice);
    return {true, table.asInt(storage::puzzle::Kategoria)};
}

} // namespace game
