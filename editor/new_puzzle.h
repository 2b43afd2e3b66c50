#pragma once
// A finished puzzle appended to the puzzle list.

#include "storage/table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace editor {

// What the details dialog adds to the typed board, in the codes the puzzle list stores.
struct PuzzleDetails
{
    int32_t language = 1; // 1 Hungarian, 2 English
    std::string hint1; // Windows-1250, trimmed
    std::string hint2;
    int32_t level = 1; // 1..4
    int32_t category = 1; // 1..16
};

// Windows-1250: a puzzle with nothing to guess would be won by the first wrong letter.
inline constexpr const char* NoLetterMessage
    = "A feladv\xE1nyban nincs egyetlen bet\xFB sem, \xEDgy nem menthet\xF5";

// Appends and posts one record (text: the 39 board characters) and returns the number of records now in
// the list. A text without a letter is refused (std::runtime_error, NoLetterMessage). A storage error is
// thrown with the list back in browse state, the record not added.
int appendPuzzle(storage::Table& list, std::string_view text, const PuzzleDetails& details);

} // namespace editor
