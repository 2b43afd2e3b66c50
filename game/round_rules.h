#pragma once
// The rules of a round, without widgets: which puzzles may be drawn, what a letter press does, when the
// round ends, the help actions' cells and the answer text. The main window applies the outcomes.

#include "game/tables.h"

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace game {

// The player's choices that decide which puzzles may be drawn.
struct DrawChoice
{
    int32_t PlayLevel = 1;
    int32_t PlayLanguage = Hungarian;
    int32_t PlayCategories = AllCategories;
    int32_t ExactLevel = 0;
};

// Level, language and category tests of one puzzle record, also one by one so a scan can stop reading a
// record at its first failed test. (Inline: the draw runs the language and category tests over the whole
// list; it tests the level as one range of its own.)
inline bool levelFits(const DrawChoice& choice, int32_t Fokozat)
{
    return choice.ExactLevel == 1 ? Fokozat == choice.PlayLevel : Fokozat <= choice.PlayLevel;
}
inline bool languageFits(const DrawChoice& choice, int32_t Nyelv)
{
    return choice.PlayLanguage == MixedLanguages || Nyelv == choice.PlayLanguage;
}
inline bool categoryFits(const DrawChoice& choice, int32_t Kategoria)
{
    // Shifting by a category outside 1..16 would be undefined; such a record never passes.
    return Kategoria >= 1 && Kategoria <= 16 && (choice.PlayCategories >> (Kategoria - 1)) & 1;
}
bool isAdmitted(const DrawChoice& choice, int32_t Fokozat, int32_t Nyelv, int32_t Kategoria);

// The scoring row of a level; a level outside 1..4 scores nothing rather than reading past the table.
const LevelRow& levelRow(int32_t level);

// Sums that stop at the ends of the 32-bit range instead of wrapping: a register edited by hand may hold
// a total near the limit, and wrapping would turn a champion into the last.
int32_t addScore(int32_t total, int32_t change);

// A stored text as the board shows it: cut or padded with spaces to 39 characters.
std::string paddedPuzzleText(std::string_view Szoveg);
// A hint line without leading and trailing blanks and control characters.
std::string trimmedHint(std::string_view hint);

// "A helyes megoldás:" and the three board rows, joined by carriage returns.
std::string AnswerText(std::string_view PuzzleText);

// Cells of the board, bit k-1 for cell k.
using CellSet = std::bitset<CellCount>;

// Cells that hold a letter and are hidden when the puzzle is drawn; everything else is a sign cell.
CellSet letterCells(std::string_view PuzzleText);
// Whether a puzzle has a letter to find: one without ("...", blanks) would be won by the first mistake.
inline bool hasLetter(std::string_view PuzzleText) { return letterCells(PuzzleText).any(); }

// What pressing one letter button does.
struct LetterPress
{
    CellSet uncovered; // every cell holding the letter
    bool mistake = false; // no cell matched and a mistake limit is set
    int32_t scoreChange = 0; // LetterScore per cell, or MissScore for a counted mistake
};
LetterPress pressLetter(std::string_view PuzzleText, char letter, int32_t level, int32_t MaxMistakes);

// How a move leaves the round. endTest, run after every letter pressed, answers the first three: a full
// gauge loses before an uncovered board wins. Giving up is the fourth way out.
enum class RoundEnd { GoesOn, Lost, Won, GivenUp };
RoundEnd endTest(int32_t mistakeCount, int32_t gaugeMaximum, int32_t LettersLeft);

// Vowel cells still hidden: those the vowels help uncovers.
CellSet hiddenVowelCells(std::string_view PuzzleText, const CellSet& hidden);

} // namespace game
