#pragma once
// Lays a puzzle text out on the 39 board cells, for puzzles that come from outside the editor.
// Text is Windows-1250 bytes.

#include <string>
#include <string_view>

namespace editor {

enum class LayoutProblem {
    None,
    NotBoardCharacter, // `character` is neither a letter of the game, one of the marks nor a space
    DoesNotFit, // a word longer than a row, or more than three rows of words
};

struct PhraseLayout
{
    LayoutProblem problem = LayoutProblem::None;
    std::string cells; // the 39 cells, row 1 first, when there is no problem
    char character = 0; // the offending character for NotBoardCharacter

    bool ok() const { return problem == LayoutProblem::None; }
};

// A text of exactly 39 characters is taken cell by cell. Any other text is a phrase: its words fill up to
// three rows of 13 greedily, never split; each row is centred (an odd spare space goes to the right); one
// row takes the middle row, two rows take rows 1 and 2. Small letters become capitals as in the editor.
PhraseLayout layOutPuzzleText(std::string_view text);

} // namespace editor
