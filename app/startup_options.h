#pragma once
// What a run is given from outside the windows: where the program's files are, how the dice fall, and the
// puzzle list when main() has read it ahead.

#include "app/data_folder.h" // executableFolder

#include <cstdint>
#include <optional>
#include <string>

class PuzzleListPrefetch;

struct StartupOptions
{
    std::string
        programFolder; // where the three files are (app/data_folder.h); empty: the executable's folder
    std::optional<uint32_t> randomSeed; // empty: seeded from the clock
    PuzzleListPrefetch* puzzleList = nullptr; // taken over by the start-up reading when it holds that file
    std::optional<bool> screenReader; // whether one runs at start; empty: asked of Qt (tests set it)
    // The local time of the whole run in minutes since 1970 (game/calendar.h), fixed by tests; empty: the
    // clock.
    std::optional<int32_t> clockMinutes;
    // The puzzle list installed with the game, where the puzzle of the day comes from, so that every family
    // gets the same one; empty: the player's own list.
    std::string puzzlePack;
};
