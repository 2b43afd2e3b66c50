// Admission, scoring, the end test, the vowels help and the answer text.
#include "game/round_rules.h"

#include <gtest/gtest.h>

#include <limits>

using namespace game;

namespace {

struct AdmissionRow
{
    const char* why;
    DrawChoice choice;
    int32_t Fokozat, Nyelv, Kategoria;
    bool admitted;
};

class Admission : public ::testing::TestWithParam<AdmissionRow>
{
};

TEST_P(Admission, FollowsLevelLanguageAndCategoryTests)
{
    const AdmissionRow& row = GetParam();
    EXPECT_EQ(isAdmitted(row.choice, row.Fokozat, row.Nyelv, row.Kategoria), row.admitted) << row.why;
}

// DrawChoice: PlayLevel, PlayLanguage, PlayCategories, ExactLevel.
INSTANTIATE_TEST_SUITE_P(
    Rows, Admission,
    ::testing::Values(
        AdmissionRow {"easier levels allowed: level 1 at level 2", {2, 1, 65535, 0}, 1, 1, 1, true},
        AdmissionRow {"easier levels allowed: level 2 at level 2", {2, 1, 65535, 0}, 2, 1, 1, true},
        AdmissionRow {"easier levels allowed: never a harder one", {2, 1, 65535, 0}, 3, 1, 1, false},
        AdmissionRow {"exact level: an easier one is refused", {2, 1, 65535, 1}, 1, 1, 1, false},
        AdmissionRow {"exact level: the chosen one passes", {2, 1, 65535, 1}, 2, 1, 1, true},
        AdmissionRow {"exact level: a harder one is refused", {2, 1, 65535, 1}, 4, 1, 1, false},
        AdmissionRow {"mixed language takes Hungarian", {4, 3, 65535, 0}, 1, 1, 1, true},
        AdmissionRow {"mixed language takes English", {4, 3, 65535, 0}, 1, 2, 1, true},
        AdmissionRow {"Hungarian refuses English", {4, 1, 65535, 0}, 1, 2, 1, false},
        AdmissionRow {"English refuses Hungarian", {4, 2, 65535, 0}, 1, 1, 1, false},
        AdmissionRow {"mask 1 is category 1 only", {4, 1, 1, 0}, 1, 1, 1, true},
        AdmissionRow {"mask 1 refuses category 2", {4, 1, 1, 0}, 1, 1, 2, false},
        AdmissionRow {"mask 32768 is category 16", {4, 1, 32768, 0}, 1, 1, 16, true},
        AdmissionRow {"mask 32768 refuses category 15", {4, 1, 32768, 0}, 1, 1, 15, false},
        AdmissionRow {"category 0 never passes", {4, 1, 65535, 0}, 1, 1, 0, false},
        AdmissionRow {"category 17 never passes", {4, 1, 65535, 0}, 1, 1, 17, false},
        AdmissionRow {"a negative category never passes", {4, 1, 65535, 0}, 1, 1, -3, false},
        AdmissionRow {"a huge category never passes", {4, 1, -1, 0}, 1, 1, 40, false}));

TEST(LetterPress, UncoversEveryMatchingCellAndScoresEach)
{
    const std::string text = paddedPuzzleText("ALMA A FA ALATT");
    const LetterPress press = pressLetter(text, 'A', 1, 10);
    EXPECT_EQ(press.uncovered.count(), 6u);
    EXPECT_TRUE(press.uncovered[0] && press.uncovered[3] && press.uncovered[5]);
    EXPECT_FALSE(press.uncovered[1]);
    EXPECT_FALSE(press.mistake);
    EXPECT_EQ(press.scoreChange, 60);

    EXPECT_EQ(pressLetter(text, 'L', 3, 10).scoreChange, 10); // two cells at 5
}

TEST(LetterPress, AccentedLettersAreLettersOfTheirOwn)
{
    const std::string text = paddedPuzzleText("\xC1LOM \xD6T \xD5Z"); // ÁLOM ÖT ŐZ
    EXPECT_TRUE(pressLetter(text, 'A', 1, 10).mistake);
    EXPECT_EQ(pressLetter(text, '\xC1', 1, 10).uncovered.count(), 1u);
    const LetterPress o = pressLetter(text, 'O', 1, 10);
    EXPECT_EQ(o.uncovered.count(), 1u);
    EXPECT_TRUE(o.uncovered[2]);
}

TEST(LetterPress, AMissCountsAndCostsOnlyWithALimit)
{
    const std::string text = paddedPuzzleText("KUTYA");
    const LetterPress withLimit = pressLetter(text, 'Z', 2, 3);
    EXPECT_TRUE(withLimit.mistake);
    EXPECT_EQ(withLimit.scoreChange, -2);
    for (int32_t noLimit : {0, -5}) {
        const LetterPress free = pressLetter(text, 'Z', 2, noLimit);
        EXPECT_FALSE(free.mistake);
        EXPECT_EQ(free.scoreChange, 0);
    }
}

TEST(EndTest, AFullGaugeLosesBeforeAnUncoveredBoardWins)
{
    EXPECT_EQ(endTest(3, 3, 0), RoundEnd::Lost);
    EXPECT_EQ(endTest(3, 3, 5), RoundEnd::Lost);
    EXPECT_EQ(endTest(2, 3, 0), RoundEnd::Won);
    EXPECT_EQ(endTest(2, 3, 1), RoundEnd::GoesOn);
    EXPECT_EQ(endTest(0, 10, 4), RoundEnd::GoesOn);
}

TEST(Vowels, OnlyHiddenVowelCellsAreUncovered)
{
    const std::string text = paddedPuzzleText("AUT\xD3 \xC9S \xDCZ 7"); // AUTÓ ÉS ÜZ 7
    CellSet hidden = letterCells(text);
    hidden[0] = false; // the A was found already
    const CellSet vowels = hiddenVowelCells(text, hidden);
    EXPECT_EQ(vowels.count(), 4u); // U, Ó, É, Ü
    EXPECT_FALSE(vowels[0]);
    EXPECT_TRUE(vowels[1] && vowels[3] && vowels[5] && vowels[8]);
    EXPECT_TRUE(hiddenVowelCells(paddedPuzzleText("PSZT"), letterCells(paddedPuzzleText("PSZT"))).none());
}

TEST(Board, LettersAreHiddenAndEverythingElseIsASign)
{
    const std::string text = paddedPuzzleText("3 KIS \xC1G, 2x!"); // lower-case x is not a board letter
    const CellSet letters = letterCells(text);
    EXPECT_EQ(letters.count(), 5u); // K I S Á G
    EXPECT_FALSE(letters[0]); // the digit
    EXPECT_FALSE(letters[5]); // a space
    EXPECT_TRUE(letters[6]); // Á
    EXPECT_FALSE(letters[11]); // x
    EXPECT_EQ(text.size(), 39u);
}

TEST(Board, TextIsPaddedWithSpacesOrCutTo39)
{
    const std::string twenty(20, 'Q');
    const std::string padded = paddedPuzzleText(twenty);
    EXPECT_EQ(padded, twenty + std::string(19, ' '));
    EXPECT_EQ(paddedPuzzleText(std::string(50, 'W')), std::string(39, 'W'));
}

TEST(Hints, BlanksAndControlCharactersAroundAreRemovedInsideKept)
{
    EXPECT_EQ(trimmedHint("  \t Egy  k\xE9t \x01\r\n "), "Egy  k\xE9t");
    EXPECT_EQ(trimmedHint(" \x7F "), "\x7F");
    EXPECT_EQ(trimmedHint(" \t\x02 "), "");
}

TEST(Answer, ShowsTheTitleAndThreeRowsOfThirteenJoinedByCarriageReturns)
{
    const std::string padded = paddedPuzzleText("ALMA");
    EXPECT_EQ(AnswerText(padded), "A helyes megold\xE1s:\rALMA         \r             \r             ");
    const std::string full = "EGYKETHAROMNEGYOTHATHETNYOLCKILENCTIZAB";
    EXPECT_EQ(AnswerText(full), "A helyes megold\xE1s:\rEGYKETHAROMNE\rGYOTHATHETNYO\rLCKILENCTIZAB");
}

TEST(Scoring, LevelRowsAndOutOfRangeLevels)
{
    EXPECT_EQ(levelRow(3).HintScore, -10);
    EXPECT_EQ(levelRow(4).HintScore, -20);
    EXPECT_EQ(levelRow(1).PassScore, -5);
    for (int32_t level : {0, 5, -1}) {
        EXPECT_EQ(levelRow(level).LetterScore, 0);
        EXPECT_EQ(pressLetter(paddedPuzzleText("A"), 'A', level, 10).scoreChange, 0);
    }
}

TEST(Scoring, TotalsStopAtTheEndsOfTheRangeInsteadOfWrapping)
{
    constexpr int32_t top = std::numeric_limits<int32_t>::max();
    constexpr int32_t bottom = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(addScore(top - 5, 30), top);
    EXPECT_EQ(addScore(bottom + 5, -30), bottom);
    EXPECT_EQ(addScore(100, -120), -20);
}

} // namespace
