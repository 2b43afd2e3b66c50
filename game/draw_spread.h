#pragma once
// An order of a puzzle list that suits the draw. The draw takes the first admitted record after a random
// start, so a puzzle that follows a long run of records the player's choice does not admit comes up far
// more often than the others. A list kept in blocks (one category after another) turns that into the same
// puzzle every round; spreading each kind of puzzle evenly over the list keeps every choice close to fair.

#include "game/round_rules.h"

#include <cstdint>
#include <vector>

namespace game {

// What the draw's tests look at in one record.
struct PuzzleKind
{
    int32_t Nyelv = 0;
    int32_t Fokozat = 0;
    int32_t Kategoria = 0;
};

// The choices players make: one category or all of them, each language (mixed included), each level,
// exactly or up to it.
std::vector<DrawChoice> usualChoices();

// How much more often than under a uniform draw among the admitted records the most drawn one comes up,
// for the records in this order: its run of records the choice does not admit, plus one, against the list's
// length over the admitted count. 0 when nothing is admitted.
double mostDrawnRatio(const std::vector<PuzzleKind>& list, const DrawChoice& choice);

// The worst mostDrawnRatio over usualChoices().
double worstUsualRatio(const std::vector<PuzzleKind>& list);

// A new order of `list` (positions into it, each once). Records of one language, level and category are
// shuffled among themselves and spread evenly through the list, nested by language, then level, then
// category, so that every union the choices make is spread too. The same list and seed give the same order.
std::vector<int> spreadOrder(const std::vector<PuzzleKind>& list, uint32_t seed);

} // namespace game
