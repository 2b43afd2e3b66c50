#pragma once
// The editor's work on whole board rows: scrolling a row and writing a corrected row back.
// Text is Windows-1250 bytes; a row is 13 characters, the board 39.

#include "game/round_rules.h"

#include <string>
#include <string_view>

namespace editor {

// The row (1..3) a scroll button moves, by its tag 1..6: tags 1-3 scroll left, 4-6 right.
int scrolledRow(int tag);
bool scrollsLeft(int tag);

// The row turned by one place: left moves the first character to the end, right the last to the front.
std::string rotatedRow(std::string_view row, bool left);

// A row after a row field holding `field` was confirmed: its first characters become the field's
// characters as board cells get them (NormalizeCellChar); cells past the end of a shorter text keep theirs.
std::string rowWithField(std::string_view row, std::string_view field);

// Hint lines typed in the details dialog are stored trimmed as the game trims the hints it shows.
using game::trimmedHint;

} // namespace editor
