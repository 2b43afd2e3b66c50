// Whole rounds played on the round value from strings: a board of three 13-character rows and a line of
// moves, no widgets. A move is a letter pressed, '?' the hints bought, '*' the vowels shown, '!' giving up,
// or a digit: the mistake limit changed in the settings to that number (0: no limit).
#include "game/puzzle_draw.h"
#include "game/round.h"

#include "storage/schemas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

using namespace game;

namespace {

using Board = std::array<const char*, 3>;
const char* const Blank = "             ";

std::string joined(const Board& board)
{
    std::string text;
    for (const char* row : board) {
        EXPECT_EQ(std::string_view(row).size(), 13u) << '"' << row << '"';
        text += row;
    }
    return text;
}

// The board as the player sees it: a letter still hidden reads '#'.
std::string seen(const Round& round)
{
    std::string board = round.PuzzleText();
    for (int k = 1; k <= CellCount; ++k) {
        if (round.isHidden(k))
            board[size_t(k - 1)] = '#';
    }
    return board;
}

// Plays `moves` and answers how the round ended (GoesOn while it is in play).
RoundEnd play(Round& round, std::string_view moves)
{
    RoundEnd ending = RoundEnd::GoesOn;
    for (char move : moves) {
        RoundMove done;
        if (move == '?')
            done = round.buyHints();
        else if (move == '*')
            done = round.uncoverVowels();
        else if (move == '!')
            done = round.giveUp();
        else if (move >= '0' && move <= '9')
            round.setMistakeLimit(move - '0');
        else
            done = round.guess(move);
        if (done.end != RoundEnd::GoesOn)
            ending = done.end;
    }
    return ending;
}

struct Play
{
    const char* says;
    Board board;
    DrawChoice choice; // PlayLevel, PlayLanguage, PlayCategories, ExactLevel
    int32_t MaxMistakes;
    const char* hint;
    const char* moves;
    Board seen;
    int32_t RoundScore;
    int32_t MistakeCount;
    RoundEnd end;
};

void PrintTo(const Play& play, std::ostream* out) { *out << play.says; }

class WholeRound : public ::testing::TestWithParam<Play>
{
};

TEST_P(WholeRound, EndsWithTheBoardScoreAndMistakesOfItsMoves)
{
    const Play& p = GetParam();
    Round round;
    round.setMistakeLimit(p.MaxMistakes);
    round.start(joined(p.board), p.hint, "", p.choice.PlayLanguage, p.choice);
    const RoundEnd end = play(round, p.moves);

    EXPECT_EQ(seen(round), joined(p.seen));
    EXPECT_EQ(round.RoundScore(), p.RoundScore);
    EXPECT_EQ(round.MistakeCount(), p.MistakeCount);
    EXPECT_EQ(end, p.end);
    EXPECT_EQ(round.inPlay(), end == RoundEnd::GoesOn);
    const std::string shown = seen(round);
    EXPECT_EQ(round.LettersLeft(), std::count(shown.begin(), shown.end(), '#')) << "letters left";
}

const DrawChoice Level1 {1, 1, 65535, 0};
const DrawChoice Level2 {2, 1, 65535, 0};
const DrawChoice Level3 {3, 1, 65535, 0};
const DrawChoice Level1Exact {1, 1, 65535, 1};
const DrawChoice English {1, 2, 65535, 0};
constexpr RoundEnd GoesOn = RoundEnd::GoesOn, Won = RoundEnd::Won, Lost = RoundEnd::Lost,
                   GivenUp = RoundEnd::GivenUp;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, WholeRound, ::testing::Values(
    Play {"won at level 1: every cell scores, a miss costs one",
          {"ALMA A FA    ", Blank, Blank}, Level1, 10, "", "AXLMF",
          {"ALMA A FA    ", Blank, Blank}, 4 * 10 - 1 + 3 * 10, 1, Won},
    Play {"a letter in two rows uncovers both, the rest stays hidden",
          {"EGY          ", "KETT\xD5        ", "H\xC1ROM        "}, Level1, 10, "", "E",
          {"E##          ", "#E###        ", "#####        "}, 20, 0, GoesOn},
    Play {"accented letters are letters of their own",
          {"\xC1LOM \xD6T \xD5Z   ", Blank, Blank}, Level1, 10, "", "AO",
          {"##O# ## ##   ", Blank, Blank}, -1 + 10, 1, GoesOn},
    Play {"three misses at level 2 lose, the letters still hidden",
          {"KUTYA        ", Blank, Blank}, Level2, 3, "", "QWZ",
          {"#####        ", Blank, Blank}, -6, 3, Lost},
    Play {"the last letter found one miss below the limit wins",
          {"OK           ", Blank, Blank}, Level1, 2, "", "QOK",
          {"OK           ", Blank, Blank}, 19, 1, Won},
    Play {"without a limit misses are free and never lose",
          {"EGY          ", Blank, Blank}, Level1, 0, "", "QWXZVBNMLKJHEGY",
          {"EGY          ", Blank, Blank}, 30, 0, Won},
    Play {"a board without letters: the first press is a miss, then the round is won",
          {"2024 - 12!   ", Blank, Blank}, Level1, 10, "", "A",
          {"2024 - 12!   ", Blank, Blank}, -1, 1, Won},
    Play {"a board without letters: lost when that miss fills the gauge",
          {"2024 - 12!   ", Blank, Blank}, Level1, 1, "", "A",
          {"2024 - 12!   ", Blank, Blank}, -1, 1, Lost},
    Play {"a letter pressed again changes nothing",
          {"ALMA         ", Blank, Blank}, Level1, 10, "", "AA",
          {"A##A         ", Blank, Blank}, 20, 0, GoesOn},
    Play {"moves after a won round change nothing",
          {"OK           ", Blank, Blank}, Level1, 10, "x", "OKQ?*!",
          {"OK           ", Blank, Blank}, 20, 0, Won},
    Play {"hints then giving up at level 3 cost twenty",
          {"BARACK       ", Blank, Blank}, Level3, 10, "Gy\xFCm\xF6lcs", "?!",
          {"######       ", Blank, Blank}, -20, 0, GivenUp},
    Play {"hints are bought once a round",
          {"ALMA         ", Blank, Blank}, Level1, 10, "  gy\xFCm\xF6lcs ", "??",
          {"####         ", Blank, Blank}, -2, 0, GoesOn},
    Play {"a puzzle without hints offers none",
          {"ALMA         ", Blank, Blank}, Level1, 10, " \t ", "?",
          {"####         ", Blank, Blank}, 0, 0, GoesOn},
    Play {"vowels after the A uncover only the rest, free; the last consonant wins",
          {"KAPU \xC9S \xD5Z   ", Blank, Blank}, Level1, 10, "", "A*KPS*Z",
          {"KAPU \xC9S \xD5Z   ", Blank, Blank}, 50, 0, Won},
    Play {"vowels that were the last letters: the next press misses and wins",
          {"ABA          ", Blank, Blank}, Level1, 10, "", "B*X",
          {"ABA          ", Blank, Blank}, 9, 1, Won},
    Play {"vowels shown take the vowel letters off the keyboard",
          {"ALMA         ", Blank, Blank}, Level1, 10, "", "*A\xC1",
          {"A##A         ", Blank, Blank}, 0, 0, GoesOn},
    Play {"only the chosen level allowed: no vowels help",
          {"ALMA         ", Blank, Blank}, Level1Exact, 10, "", "*",
          {"####         ", Blank, Blank}, 0, 0, GoesOn},
    Play {"English round: the accented letters are not offered",
          {"\xC1LOM         ", Blank, Blank}, English, 10, "", "\xC1\xD6",
          {"####         ", Blank, Blank}, 0, 0, GoesOn},
    Play {"the limit lowered below the mistakes made: the next press loses, even a hit",
          {"KUTYA        ", Blank, Blank}, Level2, 5, "", "QW1K",
          {"K####        ", Blank, Blank}, -4 + 10, 1, Lost},
    Play {"no limit during a round stops counting; a limit set again counts on",
          {"KUTYA        ", Blank, Blank}, Level2, 5, "", "QW0X3Z",
          {"#####        ", Blank, Blank}, -6, 3, Lost},
    Play {"a higher limit lets the round go on",
          {"KUTYA        ", Blank, Blank}, Level2, 2, "", "Q5WX",
          {"#####        ", Blank, Blank}, -6, 3, GoesOn}));
// clang-format on

TEST(RoundMoves, SayWhatChanged)
{
    Round round;
    round.start("ALMA A FA", "hint", "", game::Hungarian, Level1);
    const RoundMove a = round.guess('A');
    CellSet aCells;
    for (size_t cell : {1, 4, 6, 9})
        aCells[cell - 1] = true;
    EXPECT_EQ(a.uncovered, aCells);
    EXPECT_EQ(a.withdrawn, letterSetOf("A"));
    EXPECT_EQ(a.scoreChange, 40);
    EXPECT_FALSE(a.mistake || a.hintsShown);

    const RoundMove miss = round.guess('Q');
    EXPECT_TRUE(miss.mistake);
    EXPECT_TRUE(miss.uncovered.none());
    EXPECT_EQ(miss.scoreChange, -1);

    const RoundMove hints = round.buyHints();
    EXPECT_TRUE(hints.hintsShown);
    EXPECT_EQ(hints.scoreChange, -2);
    EXPECT_EQ(round.PuzzleHint1(), "hint");

    const RoundMove vowels = round.uncoverVowels();
    EXPECT_TRUE(vowels.uncovered.none()); // the A cells were found already
    EXPECT_EQ(vowels.withdrawn, letterSetOf(VowelLetters));
    EXPECT_EQ(vowels.withdrawn.count(), 14u);

    const RoundMove pass = round.giveUp();
    EXPECT_EQ(pass.end, RoundEnd::GivenUp);
    EXPECT_EQ(pass.scoreChange, -5);
    EXPECT_EQ(round.RoundScore(), 40 - 1 - 2 - 5);
}

TEST(RoundMoves, AnEnglishPuzzleStartsWithoutTheNineAccentedLettersWhateverLanguageWasChosen)
{
    const DrawChoice mixed {1, game::MixedLanguages, 65535, 0};
    const LetterSet accented = letterSetOf("\xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB"); // ÁÉÍÓÖŐÚÜŰ
    ASSERT_EQ(accented.count(), 9u);
    struct Case
    {
        const char* says;
        int32_t Nyelv;
        DrawChoice choice;
        bool accentsOffered;
    };
    const Case cases[] = {
        {"English chosen, English puzzle", game::English, English, false},
        {"mixed chosen, English puzzle", game::English, mixed, false},
        {"mixed chosen, Hungarian puzzle", game::Hungarian, mixed, true},
        {"Hungarian chosen, Hungarian puzzle", game::Hungarian, Level1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        Round round;
        round.start("HELLO", "", "", c.Nyelv, c.choice);
        EXPECT_EQ(round.puzzleLanguage(), c.Nyelv);
        EXPECT_EQ(round.offersAccentedLetters(), c.accentsOffered);
        EXPECT_EQ(round.usedLetters(), c.accentsOffered ? LetterSet() : accented);
    }
}

TEST(RoundMoves, ANewPlayerEndsTheRoundUnscoredAndTheGaugeKeepsItsMistakes)
{
    Round round;
    round.start("KUTYA", "", "", game::Hungarian, Level2);
    play(round, "QK");
    round.restartScore();
    EXPECT_FALSE(round.inPlay());
    EXPECT_EQ(round.RoundScore(), 0);
    EXPECT_EQ(round.MistakeCount(), 1);
    EXPECT_TRUE(round.guess('U').uncovered.none());
    EXPECT_EQ(round.LettersLeft(), 4);
}

TEST(RoundMoves, TheAnswerUncoversOnlyWhatAnEndedRoundLeftHidden)
{
    Round round;
    round.start("KUTYA FA", "", "", game::Hungarian, Level1);
    play(round, "KA");
    EXPECT_TRUE(round.uncoverAnswer().uncovered.none()); // in play: nothing to show yet
    EXPECT_EQ(seen(round).substr(0, 8), "K###A #A");

    EXPECT_EQ(round.giveUp().end, RoundEnd::GivenUp);
    const int32_t score = round.RoundScore();
    const RoundMove answer = round.uncoverAnswer();
    CellSet missed;
    for (size_t cell : {2, 3, 4, 7})
        missed[cell - 1] = true;
    EXPECT_EQ(answer.uncovered, missed);
    EXPECT_EQ(answer.scoreChange, 0);
    EXPECT_EQ(round.RoundScore(), score);
    EXPECT_EQ(seen(round), round.PuzzleText());
    EXPECT_EQ(round.LettersLeft(), 0);
    EXPECT_TRUE(round.uncoverAnswer().uncovered.none()); // shown once
}

// Drawing onto the round from a puzzle list in memory.
TEST(DrawRound, LaysTheRecordOrLeavesTheLastPuzzleWithTheGaugeAtZero)
{
    storage::Table list(storage::puzzleColumns());
    list.open();
    list.append();
    list.setString(storage::puzzle::Szoveg, "ALMA");
    list.setString(storage::puzzle::Sugo1, "  gy\xFCm\xF6lcs \t");
    list.setInt(storage::puzzle::Nyelv, 1);
    list.setInt(storage::puzzle::Fokozat, 1);
    list.setInt(storage::puzzle::Kategoria, 9);
    list.post();

    Round round;
    const DrawnRound drawn = drawRound(round, list, 1, 0, Level1);
    ASSERT_TRUE(drawn.drawn);
    EXPECT_EQ(drawn.Kategoria, 9);
    EXPECT_EQ(round.PuzzleText(), "ALMA" + std::string(35, ' '));
    EXPECT_EQ(round.PuzzleHint1(), "gy\xFCm\xF6lcs");
    EXPECT_TRUE(round.hintsOffered());
    EXPECT_EQ(round.LettersLeft(), 4);
    play(round, "QWA");
    ASSERT_EQ(round.MistakeCount(), 2);

    const DrawnRound none = drawRound(round, list, 1, 0, DrawChoice {2, 1, 65535, 1});
    EXPECT_FALSE(none.drawn);
    EXPECT_FALSE(round.inPlay());
    EXPECT_EQ(round.MistakeCount(), 0);
    EXPECT_EQ(round.LettersLeft(), 0);
    EXPECT_EQ(round.RoundScore(), 20 - 2); // kept until a round is drawn
    EXPECT_EQ(seen(round), "A##A" + std::string(35, ' ')); // the board as it was left
}

} // namespace
