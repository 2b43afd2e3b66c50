#pragma once
// One round as a plain value: the puzzle laid on the board, the cells that still hide their letter, the
// letters left, the mistakes against their limit, the round's score and the letters already used. Every
// move answers with what it changed; the main window draws that and decides nothing itself.

#include "game/round_rules.h"
#include "game/tables.h"

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

namespace game {

// Letters of the keyboard, bit k-1 for letter button k (the order of CapitalLetters).
using LetterSet = std::bitset<LetterButtonCount>;

// The letters of `letters` (Windows-1250 capitals) as a set; other characters are left out.
LetterSet letterSetOf(std::string_view letters);

// What one move changed, for the window to show.
struct RoundMove
{
    CellSet uncovered; // cells that show their letter from now on
    LetterSet withdrawn; // letters the keyboard no longer offers this round
    bool mistake = false; // one more wrong letter counted
    bool hintsShown = false; // the hint lines are to be shown
    int32_t scoreChange = 0; // added to RoundScore
    RoundEnd end = RoundEnd::GoesOn;
};

class Round
{
public:
    // --- what the round holds
    // The 39 characters of the puzzle on the board (empty before the first).
    const std::string& PuzzleText() const { return m_puzzleText; }
    const std::string& PuzzleHint1() const { return m_hint1; }
    const std::string& PuzzleHint2() const { return m_hint2; }
    const CellSet& hiddenCells() const { return m_hidden; }
    bool isHidden(int cell) const { return cell >= 1 && cell <= CellCount && m_hidden[size_t(cell - 1)]; }
    int32_t LettersLeft() const { return m_lettersLeft; }
    int32_t MistakeCount() const { return m_mistakes; }
    // The mistakes that lose the round; it keeps its last value while no limit is set.
    int32_t mistakeLimit() const { return m_limit; }
    bool countsMistakes() const { return m_countsMistakes; }
    int32_t RoundScore() const { return m_score; }
    // Letters tried, and letters the round never offered or took back (accents in English, vowels shown).
    const LetterSet& usedLetters() const { return m_used; }
    bool inPlay() const { return m_inPlay; }
    bool hintsOffered() const { return m_inPlay && m_hintsOffered; }
    bool vowelsOffered() const { return m_inPlay && m_vowelsOffered; }
    // The hint lines were bought in this round (or the last one, once it ended).
    bool hintsBought() const { return m_hintsBought; }

    // --- settings
    // Follows the settings' MaxMistakes: 1 or more is the new limit and caps the mistakes already made
    // (the next letter then ends the round lost); 0 or less stops counting and keeps the last limit.
    void setMistakeLimit(int32_t MaxMistakes);

    // --- moves
    // The start of a draw: mistakes and letters left back at 0, before a puzzle is looked for. When none
    // is admitted, the board keeps the last puzzle and no round is in play.
    void prepareDraw();
    // Lays a drawn record on the board: the text padded to 39, its letters hidden, the hints trimmed, the
    // score at 0. An English puzzle (`Nyelv`) offers no accented letter, whatever language was chosen: in
    // it such a letter could only be a mistake. `choice` is the player's: its level scores the round, and
    // the vowels help is offered only when easier levels are allowed.
    void start(std::string_view Szoveg, std::string_view Sugo1, std::string_view Sugo2, int32_t Nyelv,
               const DrawChoice& choice);
    // The language of the puzzle on the board (Nyelv), 0 before the first.
    int32_t puzzleLanguage() const { return m_language; }
    bool offersAccentedLetters() const { return m_language != English; }
    // A letter button pressed: every cell holding the letter is uncovered and scores, or a mistake is
    // counted; then a full gauge loses before an uncovered board wins. A used letter changes nothing.
    RoundMove guess(char letter);
    // The hint lines bought, once a round, at the level's HintScore. No end test follows.
    RoundMove buyHints();
    // Every hidden vowel uncovered and the fourteen vowels taken off the keyboard, free. No end test
    // follows: when the vowels were the last letters, the round ends at the next letter pressed.
    RoundMove uncoverVowels();
    // Giving up costs the level's PassScore and ends the round.
    RoundMove giveUp();
    // A lost or given-up round shows its answer: the cells it left hidden are uncovered, scoring nothing.
    // While the round is in play it changes nothing.
    RoundMove uncoverAnswer();
    // A player made current: the round in play ends unscored and the score starts again from 0.
    void restartScore();
    // The board holds another puzzle (one just typed in the editor): it becomes the puzzle text, with no
    // round in play and nothing hidden.
    void replacePuzzle(std::string_view text);

private:
    RoundMove ended(RoundMove move, RoundEnd end);

    std::string m_puzzleText;
    std::string m_hint1;
    std::string m_hint2;
    CellSet m_hidden;
    LetterSet m_used;
    int32_t m_level = 1;
    int32_t m_language = 0;
    int32_t m_lettersLeft = 0;
    int32_t m_mistakes = 0;
    int32_t m_limit = 10;
    bool m_countsMistakes = true;
    int32_t m_score = 0;
    bool m_inPlay = false;
    bool m_hintsOffered = false;
    bool m_vowelsOffered = false;
    bool m_hintsBought = false;
};

} // namespace game
