#pragma once
// The game variables the main window owns: the settings it was started with and changed since, and the state
// of the game around the rounds. Those of the round (PuzzleText, LettersLeft, RoundScore, the hints, the
// mistakes) live in its game::Round, the editor's SelectedCell in its editor::EditorBoard.
// Text is Windows-1250 bytes; all scores and counters are signed 32-bit.

#include "game/settings.h"

#include <cstdint>
#include <string>

namespace game {

struct GameVariables : Settings
{
    bool EditMode = false;
    int32_t PuzzleCount = 0; // records in the puzzle list
    std::string PlayerName; // empty = no player
    int32_t PlayerTotal = 0;
    int32_t PlayerRounds = 0;
    std::string AppDir; // ends in '/'
};

} // namespace game
