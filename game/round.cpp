#include "game/round.h"

#include <algorithm>

namespace game {

LetterSet letterSetOf(std::string_view letters)
{
    LetterSet set;
    for (char letter : letters) {
        const size_t index = CapitalLetters.find(letter);
        if (index != std::string_view::npos)
            set[index] = true;
    }
    return set;
}

void Round::setMistakeLimit(int32_t MaxMistakes)
{
    if (MaxMistakes >= 1) {
        m_limit = MaxMistakes;
        m_mistakes = std::min(m_mistakes, m_limit);
    }
    m_countsMistakes = MaxMistakes > 0;
}

void Round::prepareDraw()
{
    m_mistakes = 0;
    m_lettersLeft = 0;
    m_inPlay = false;
}

void Round::start(std::string_view Szoveg, std::string_view Sugo1, std::string_view Sugo2, int32_t Nyelv,
                  const DrawChoice& choice)
{
    m_puzzleText = paddedPuzzleText(Szoveg);
    m_hint1 = trimmedHint(Sugo1);
    m_hint2 = trimmedHint(Sugo2);
    m_hidden = letterCells(m_puzzleText);
    m_lettersLeft = int32_t(m_hidden.count());
    m_mistakes = 0;
    m_score = 0;
    m_level = choice.PlayLevel;
    m_language = Nyelv;
    m_used.reset();
    if (!offersAccentedLetters()) {
        for (int button : AccentedButtons)
            m_used[size_t(button - 1)] = true;
    }
    m_inPlay = true;
    m_hintsOffered = !(m_hint1 + m_hint2).empty();
    m_hintsBought = false;
    m_vowelsOffered = choice.ExactLevel == 0;
}

RoundMove Round::guess(char letter)
{
    RoundMove move;
    const size_t index = CapitalLetters.find(letter);
    if (!m_inPlay || index == std::string_view::npos || m_used[index])
        return move;
    m_used[index] = true;
    move.withdrawn[index] = true;

    const LetterPress press = pressLetter(m_puzzleText, letter, m_level, m_countsMistakes ? m_limit : 0);
    move.uncovered = press.uncovered;
    m_hidden &= ~press.uncovered;
    m_lettersLeft -= int32_t(press.uncovered.count());
    if (press.mistake) {
        move.mistake = true;
        m_mistakes = std::min(m_mistakes + 1, m_limit);
    }
    move.scoreChange = press.scoreChange;
    m_score = addScore(m_score, press.scoreChange);
    return ended(move, endTest(m_mistakes, m_limit, m_lettersLeft));
}

RoundMove Round::buyHints()
{
    RoundMove move;
    if (!hintsOffered())
        return move;
    m_hintsOffered = false;
    m_hintsBought = true;
    move.hintsShown = true;
    move.scoreChange = levelRow(m_level).HintScore;
    m_score = addScore(m_score, move.scoreChange);
    return move;
}

RoundMove Round::uncoverVowels()
{
    RoundMove move;
    if (!vowelsOffered())
        return move;
    move.uncovered = hiddenVowelCells(m_puzzleText, m_hidden);
    m_hidden &= ~move.uncovered;
    m_lettersLeft -= int32_t(move.uncovered.count());
    // All fourteen go off the keyboard, found or not, so the help can be pressed again to no effect.
    move.withdrawn = letterSetOf(VowelLetters);
    m_used |= move.withdrawn;
    return move;
}

RoundMove Round::giveUp()
{
    RoundMove move;
    if (!m_inPlay)
        return move;
    move.scoreChange = levelRow(m_level).PassScore;
    m_score = addScore(m_score, move.scoreChange);
    return ended(move, RoundEnd::GivenUp);
}

RoundMove Round::uncoverAnswer()
{
    RoundMove move;
    if (m_inPlay)
        return move;
    move.uncovered = m_hidden;
    m_hidden.reset();
    m_lettersLeft = 0;
    return move;
}

void Round::restartScore()
{
    m_inPlay = false;
    m_score = 0;
}

void Round::replacePuzzle(std::string_view text)
{
    m_puzzleText = std::string(text);
    m_hidden.reset();
    m_inPlay = false;
}

RoundMove Round::ended(RoundMove move, RoundEnd end)
{
    move.end = end;
    if (end != RoundEnd::GoesOn)
        m_inPlay = false;
    return move;
}

} // namespace game
