#include "editor/phrase_layout.h"

#include <gtest/gtest.h>

using editor::LayoutProblem;
using editor::layOutPuzzleText;

namespace {

std::string board(const std::string& row1, const std::string& row2, const std::string& row3)
{
    EXPECT_EQ(row1.size() + row2.size() + row3.size(), 39u);
    return row1 + row2 + row3;
}

const std::string Blank = "             ";

} // namespace

TEST(PhraseLayout, OneRowGoesToTheMiddleCentred)
{
    EXPECT_EQ(layOutPuzzleText("SZELES UT").cells, board(Blank, "  SZELES UT  ", Blank));
}

TEST(PhraseLayout, OddSpareSpaceGoesToTheRightAndSmallLettersAreRaised)
{
    EXPECT_EQ(layOutPuzzleText("alma").cells, board(Blank, "    ALMA     ", Blank));
    EXPECT_EQ(layOutPuzzleText("\xE1rv\xEDzt\xFBr\xF5").cells,
              board(Blank, "  \xC1RV\xCDZT\xDBR\xD5  ", Blank));
}

TEST(PhraseLayout, TwoRowsTakeTheTopTwoRows)
{
    EXPECT_EQ(layOutPuzzleText("KI KORAN KEL ARANYAT LEL").cells,
              board("KI KORAN KEL ", " ARANYAT LEL ", Blank));
}

TEST(PhraseLayout, ThreeRowsFillTheBoardGreedily)
{
    // A row takes the next word whenever it still fits with its space.
    EXPECT_EQ(layOutPuzzleText("AKI MAR ELMENT VISSZA NEM JON").cells,
              board("   AKI MAR   ", "ELMENT VISSZA", "   NEM JON   "));
    EXPECT_EQ(layOutPuzzleText("A B C D E F G HHHHHHHHHHHHH IIIIIIIIIIIII").cells,
              board("A B C D E F G", "HHHHHHHHHHHHH", "IIIIIIIIIIIII"));
}

TEST(PhraseLayout, ExtraSpacesBetweenAndAroundWordsAreDropped)
{
    EXPECT_EQ(layOutPuzzleText("  SZELES    UT ").cells, board(Blank, "  SZELES UT  ", Blank));
}

TEST(PhraseLayout, ThirtyNineCharactersAreTakenCellByCell)
{
    std::string cells = "  ALMA    FA " + std::string(13, ' ') + "?  X  ,      ";
    EXPECT_EQ(layOutPuzzleText(cells).cells, cells);
    std::string small = "  alma    fa " + std::string(13, ' ') + "?  x  ,      ";
    EXPECT_EQ(layOutPuzzleText(small).cells, cells);
}

TEST(PhraseLayout, MarksAreBoardCharacters)
{
    EXPECT_EQ(layOutPuzzleText("IGEN? NEM!").cells, board(Blank, " IGEN? NEM!  ", Blank));
}

TEST(PhraseLayout, CharacterOffTheBoardIsNamed)
{
    for (std::string text :
         std::initializer_list<std::string> {"ALMA 12", "\xE4pfel", "A\tB", std::string(39, '1')}) {
        auto layout = layOutPuzzleText(text);
        EXPECT_EQ(layout.problem, LayoutProblem::NotBoardCharacter) << text;
    }
    EXPECT_EQ(layOutPuzzleText("ALMA 12").character, '1');
    EXPECT_EQ(layOutPuzzleText("\xE4pfel").character, '\xE4');
}

TEST(PhraseLayout, PhraseThatDoesNotFitIsRefused)
{
    EXPECT_EQ(layOutPuzzleText("MEGSZENTSEGTELENITHETETLEN").problem, LayoutProblem::DoesNotFit);
    EXPECT_EQ(layOutPuzzleText("EGY KETTO HAROM NEGY OT HAT HET NYOLC KILENC TIZ").problem,
              LayoutProblem::DoesNotFit);
    // Thirteen letters still fit in one row.
    EXPECT_TRUE(layOutPuzzleText("ABCDEFGHIJKLM").ok());
}

TEST(PhraseLayout, EmptyPhraseIsABlankBoard) { EXPECT_EQ(layOutPuzzleText("").cells, std::string(39, ' ')); }
