#pragma once
// The game variables the main window owns; the other windows read and write them directly. Those of the
// round (PuzzleText, LettersLeft, RoundScore, the hints, the mistakes) live in its game::Round, the editor's
// SelectedCell in its editor::EditorBoard.
// Text is Windows-1250 bytes; all scores and counters are signed 32-bit.

#include "game/tables.h"

#include <cstdint>
#include <string>

namespace game {

struct GameVariables
{
    bool EditMode = false;
    int32_t PuzzleCount = 0; // records in the puzzle list
    std::string PlayerName; // empty = no player
    int32_t PlayerTotal = 0;
    int32_t PlayerRounds = 0;
    int32_t PlayLanguage = Hungarian; // or English, MixedLanguages
    int32_t PlayLevel = 1; // 1..4
    int32_t PlayCategories = AllCategories;
    int32_t ExactLevel = 0; // 1: only the chosen level may be drawn
    int32_t MaxMistakes = 10; // 0 or less: no limit
    std::string AppDir; // ends in '/'
};

} // namespace game
