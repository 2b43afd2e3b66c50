#include "editor/cell_chars.h"

#include "game/tables.h"

#include <gtest/gtest.h>

using editor::NormalizeCellChar;
using editor::typedCellChar;
using editor::upperCaseCellChar;

TEST(CellChars, EverySmallLetterBecomesItsCapital)
{
    ASSERT_EQ(game::SmallLetters.size(), game::CapitalLetters.size());
    for (std::size_t i = 0; i < game::SmallLetters.size(); ++i) {
        EXPECT_EQ(upperCaseCellChar(game::SmallLetters[i]), game::CapitalLetters[i]) << i;
        EXPECT_EQ(typedCellChar(game::SmallLetters[i]), game::CapitalLetters[i]) << i;
        EXPECT_EQ(NormalizeCellChar(game::SmallLetters[i]), game::CapitalLetters[i]) << i;
    }
}

TEST(CellChars, CapitalsAndMarksAreKeptAsTheyAre)
{
    for (char c : game::CapitalLetters)
        EXPECT_EQ(typedCellChar(c), c);
    for (char c : game::PunctuationMarks) {
        EXPECT_EQ(typedCellChar(c), c);
        EXPECT_EQ(NormalizeCellChar(c), c);
    }
}

TEST(CellChars, TypingRefusesWhatIsNotALetterOrMark)
{
    // Digit, space, backspace, enter, escape, ä and ô (not in the game's alphabet), a quote.
    for (char c : {'7', ' ', '\b', '\r', '\x1B', '\xE4', '\xF4', '"', '\0'})
        EXPECT_FALSE(typedCellChar(c).has_value()) << int(static_cast<unsigned char>(c));
}

TEST(CellChars, NormalizingTurnsRefusedCharactersIntoSpaces)
{
    for (char c : {'1', '2', ' ', '\t', '\xE4', '\xF4', '@', '\xFF'})
        EXPECT_EQ(NormalizeCellChar(c), ' ') << int(static_cast<unsigned char>(c));
    EXPECT_EQ(upperCaseCellChar('\xE4'), '\xE4'); // ä is left alone by the upper-casing itself
}
