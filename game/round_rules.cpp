#include "game/round_rules.h"

#include <limits>

namespace game {

bool isAdmitted(const DrawChoice& choice, int32_t Fokozat, int32_t Nyelv, int32_t Kategoria)
{
    return levelFits(choice, Fokozat) && languageFits(choice, Nyelv) && categoryFits(choice, Kategoria);
}

const LevelRow& levelRow(int32_t level)
{
    return level >= 1 && level <= 4 ? LevelTable[static_cast<size_t>(level)] : LevelTable[0];
}

int32_t addScore(int32_t total, int32_t change)
{
    const int64_t sum = int64_t {total} + change;
    if (sum > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (sum < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(sum);
}

std::string paddedPuzzleText(std::string_view Szoveg)
{
    std::string text(Szoveg.substr(0, CellCount));
    text.resize(CellCount, ' ');
    return text;
}

std::string trimmedHint(std::string_view hint)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!hint.empty() && blank(hint.front()))
        hint.remove_prefix(1);
    while (!hint.empty() && blank(hint.back()))
        hint.remove_suffix(1);
    return std::string(hint);
}

std::string AnswerText(std::string_view PuzzleText)
{
    const std::string board = paddedPuzzleText(PuzzleText);
    std::string answer = "A helyes megold\xE1s:";
    for (int row = 0; row < CellCount / RowLength; ++row) {
        answer += '\r';
        answer += board.substr(static_cast<size_t>(row * RowLength), RowLength);
    }
    return answer;
}

CellSet letterCells(std::string_view PuzzleText)
{
    CellSet cells;
    for (size_t k = 0; k < PuzzleText.size() && k < CellCount; ++k)
        cells[k] = isCapitalLetter(PuzzleText[k]);
    return cells;
}

LetterPress pressLetter(std::string_view PuzzleText, char letter, int32_t level, int32_t MaxMistakes)
{
    const LevelRow& row = levelRow(level);
    LetterPress press;
    for (size_t k = 0; k < PuzzleText.size() && k < CellCount; ++k) {
        if (PuzzleText[k] == letter) {
            press.uncovered[k] = true;
            press.scoreChange = addScore(press.scoreChange, row.LetterScore);
        }
    }
    if (press.uncovered.none() && MaxMistakes > 0) {
        press.mistake = true;
        press.scoreChange = row.MissScore;
    }
    return press;
}

RoundEnd endTest(int32_t mistakeCount, int32_t gaugeMaximum, int32_t LettersLeft)
{
    if (mistakeCount == gaugeMaximum)
        return RoundEnd::Lost;
    if (LettersLeft == 0)
        return RoundEnd::Won;
    return RoundEnd::GoesOn;
}

CellSet hiddenVowelCells(std::string_view PuzzleText, const CellSet& hidden)
{
    CellSet cells;
    for (size_t k = 0; k < PuzzleText.size() && k < CellCount; ++k)
        cells[k] = hidden[k] && isVowel(PuzzleText[k]);
    return cells;
}

} // namespace game
