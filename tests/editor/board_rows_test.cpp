#include "editor/board_rows.h"
#include "editor/new_puzzle.h"
#include "storage/schemas.h"
#include "storage/storage_error.h"

#include <gtest/gtest.h>

using namespace editor;

TEST(RowScroll, TagsNameTheRowAndTheDirection)
{
    const int rows[] = {1, 2, 3, 1, 2, 3};
    for (int tag = 1; tag <= 6; ++tag) {
        EXPECT_EQ(scrolledRow(tag), rows[tag - 1]) << tag;
        EXPECT_EQ(scrollsLeft(tag), tag <= 3) << tag;
    }
}

TEST(RowScroll, AShortOrEmptyRowStaysAsItIs)
{
    EXPECT_EQ(rotatedRow("", true), "");
    EXPECT_EQ(rotatedRow("A", false), "A");
}

TEST(RowField, WritesNormalisedCharactersAndKeepsTheCellsPastItsEnd)
{
    EXPECT_EQ(rowWithField("XXXXXXXXXXXYZ", "alma fa 12"), "ALMA FA   XYZ");
    EXPECT_EQ(rowWithField("ALMA         ", ""), "ALMA         ");
    EXPECT_EQ(rowWithField("             ", "\xE9g\xF5, \xE4t!"), "\xC9G\xD5,  T!     ");
    // Never more than the row, whatever the field holds.
    EXPECT_EQ(rowWithField("             ", std::string(20, 'b')), std::string(13, 'B'));
}

TEST(HintLine, LosesSpacesAndControlCharactersAtBothEndsOnly)
{
    EXPECT_EQ(trimmedHint("  piros  gyümölcs  "), "piros  gyümölcs");
    EXPECT_EQ(trimmedHint("\t\x01 x\r\n"), "x");
    EXPECT_EQ(trimmedHint("    "), "");
    EXPECT_EQ(trimmedHint(""), "");
    EXPECT_EQ(trimmedHint("\xE1rv\xEDz"), "\xE1rv\xEDz"); // accented ends stay
}

TEST(NewPuzzle, AppendsOneRecordWithEveryDetail)
{
    storage::Table list(storage::puzzleColumns());
    list.open();
    const std::string text = "ALMA                                   ";
    EXPECT_EQ(appendPuzzle(list, text, {2, "gy\xFCm\xF6lcs", "", 3, 13}), 1);
    EXPECT_EQ(appendPuzzle(list, text, {}), 2); // the same puzzle again is stored again
    list.first();
    EXPECT_EQ(list.asString(storage::puzzle::Szoveg), text);
    EXPECT_EQ(list.asInt(storage::puzzle::Nyelv), 2);
    EXPECT_EQ(list.asString(storage::puzzle::Sugo1), "gy\xFCm\xF6lcs");
    EXPECT_EQ(list.asString(storage::puzzle::Sugo2), "");
    EXPECT_EQ(list.asInt(storage::puzzle::Fokozat), 3);
    EXPECT_EQ(list.asInt(storage::puzzle::Kategoria), 13);
    EXPECT_EQ(list.state(), storage::TableState::Browse);
}

// A puzzle with nothing to guess would be won by the first wrong letter: it is not stored.
TEST(NewPuzzle, APuzzleWithoutALetterIsRefused)
{
    storage::Table list(storage::puzzleColumns());
    list.open();
    for (const std::string& text :
         {std::string(39, ' '), "..." + std::string(36, ' '), "2024 - 12!" + std::string(29, ' ')}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(appendPuzzle(list, text, {}), std::runtime_error);
        EXPECT_EQ(list.recordCount(), 0);
        EXPECT_EQ(list.state(), storage::TableState::Browse);
    }
    EXPECT_EQ(appendPuzzle(list, "2024 - 12! A" + std::string(27, ' '), {}), 1);
}

TEST(NewPuzzle, AClosedListRefusesWithAnErrorAndStaysUnchanged)
{
    storage::Table list(storage::puzzleColumns());
    EXPECT_THROW(appendPuzzle(list, "ALMA" + std::string(35, ' '), {}), storage::StorageError);
    EXPECT_EQ(list.state(), storage::TableState::Inactive);
    list.open();
    EXPECT_EQ(list.recordCount(), 0);
}
