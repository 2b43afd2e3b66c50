#pragma once
// What a board cell gets for a character: the editor's upper-casing and the board's character set.
// Characters are Windows-1250 bytes.

#include <optional>

namespace editor {

// a-z and the nine accented small letters become their capitals; every other character is unchanged.
char upperCaseCellChar(char c);

// A character typed into the selected cell: its capital (or the mark itself) when the editor accepts it,
// nothing when it is refused (digits, the space, control keys and letters outside the game's alphabet).
std::optional<char> typedCellChar(char c);

// The character a cell gets for c when text is written back onto the board: refused characters become spaces.
char NormalizeCellChar(char c);

} // namespace editor
