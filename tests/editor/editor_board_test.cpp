// Edit sessions on the editor's board from strings, no widgets. A session starts from three 13-character
// rows and runs '|'-separated edits: "s5" selects cell 5 (a left press), "e9" empties cell 9 (a right
// press), "tx" types the character x, "<2" and ">2" turn row 2 left and right (scroll tags 2 and 5).
#include "editor/editor_board.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

using namespace editor;

namespace {

using Rows = std::array<std::string, 3>;
const std::string Blank(13, ' ');

BoardEdit run(EditorBoard& board, std::string_view edit)
{
    const std::string_view argument = edit.substr(1);
    switch (edit.front()) {
    case 's':
        return board.select(std::stoi(std::string(argument)));
    case 'e':
        return board.empty(std::stoi(std::string(argument)));
    case 't':
        return board.type(argument.front());
    case '<':
        return board.turnRow(std::stoi(std::string(argument)));
    case '>':
        return board.turnRow(std::stoi(std::string(argument)) + 3);
    }
    ADD_FAILURE() << "unknown edit " << edit;
    return {};
}

// Runs a session and answers the cells its last edit named.
BoardEdit session(EditorBoard& board, std::string_view edits)
{
    BoardEdit last;
    while (!edits.empty()) {
        const size_t bar = edits.find('|');
        last = run(board, edits.substr(0, bar));
        edits = bar == std::string_view::npos ? std::string_view() : edits.substr(bar + 1);
    }
    return last;
}

struct Session
{
    const char* says;
    Rows start;
    const char* edits;
    Rows end;
    int32_t SelectedCell;
};

void PrintTo(const Session& session, std::ostream* out) { *out << session.says; }

class EditSession : public ::testing::TestWithParam<Session>
{
};

TEST_P(EditSession, LeavesTheRowsAndTheSelection)
{
    const Session& s = GetParam();
    EditorBoard board;
    board.writeRows(s.start);
    session(board, s.edits);
    EXPECT_EQ(board.rows(), s.end);
    EXPECT_EQ(board.cells(), s.end[0] + s.end[1] + s.end[2]);
    EXPECT_EQ(board.SelectedCell(), s.SelectedCell);
}

const Rows Empty {Blank, Blank, Blank};
const Rows AlmaInRow2 {Blank, "ALMA         ", Blank};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, EditSession, ::testing::Values(
    Session {"a small accented letter lands as its capital and ends the selection",
             Empty, "s5|t\xE9", {"    \xC9        ", Blank, Blank}, 0},
    Session {"a key without a selection changes nothing",
             Empty, "s5|ta|tb", {"    A        ", Blank, Blank}, 0},
    Session {"a digit, a space or Backspace is refused and the cell stays selected",
             Empty, "s5|t7|t |t\x08", Empty, 5},
    Session {"a and o with foreign accents are refused; q gives Q and the slash stays",
             Empty, "s1|t\xE4|t\xF4|tq|s2|t/", {"Q/           ", Blank, Blank}, 0},
    Session {"a left press on another cell moves the selection",
             Empty, "s3|s9", Empty, 9},
    Session {"the selected cell pressed again stays selected",
             Empty, "s3|s3", Empty, 3},
    Session {"a right press blanks its cell and ends the selection elsewhere",
             {"ABC          ", Blank, Blank}, "s3|e1", {" BC          ", Blank, Blank}, 0},
    Session {"a right press on the selected cell blanks it too",
             {"ABC          ", Blank, Blank}, "s3|e3", {"AB           ", Blank, Blank}, 0},
    Session {"a row turned right takes its last character to the front",
             AlmaInRow2, ">2", {Blank, " ALMA        ", Blank}, 0},
    Session {"a row turned left takes its first character to the end",
             AlmaInRow2, "<2", {Blank, "LMA         A", Blank}, 0},
    Session {"turning keeps the selection on its cell, where the next character lands",
             AlmaInRow2, "s14|>2|tx", {Blank, "XALMA        ", Blank}, 0},
    Session {"the other rows do not turn",
             {"EGY          ", "KETTO        ", "HAROM        "}, "<1|>3",
             {"GY          E", "KETTO        ", " HAROM       "}, 0}));
// clang-format on

TEST(EditorBoard, ThirteenTurnsEitherWayGiveTheRowBack)
{
    for (int tag = 1; tag <= 6; ++tag) {
        EditorBoard board;
        board.writeRows({"ABCDEFGHIJKLM", "NOPQRSTUVWXYZ", "\xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB.,!?"});
        const std::string start = board.cells();
        for (int turn = 1; turn <= 13; ++turn) {
            board.turnRow(tag);
            EXPECT_EQ(board.cells() == start, turn == 13) << "tag " << tag << ", turn " << turn;
        }
    }
}

TEST(EditorBoard, EditsNameTheCellsToDrawAgain)
{
    EditorBoard board;
    EXPECT_EQ(session(board, "s3").cells.count(), 1u);
    const BoardEdit moved = session(board, "s9");
    EXPECT_TRUE(moved.cells[2] && moved.cells[8]);
    EXPECT_EQ(moved.cells.count(), 2u);
    EXPECT_TRUE(session(board, "t7").cells.none()); // refused
    EXPECT_EQ(session(board, "tA").cells.count(), 1u);
    EXPECT_TRUE(session(board, "tB").cells.none()); // no selection
    const BoardEdit turned = session(board, ">1");
    EXPECT_EQ(turned.cells.count(), 13u);
    EXPECT_TRUE(turned.cells[0] && turned.cells[12] && !turned.cells[13]);
}

TEST(EditorBoard, ConfirmedRowFieldsAreWrittenAsCellsGetThemAndAnEmptyFieldLeavesItsRow)
{
    EditorBoard board;
    board.writeRows({"XXXXXXXXXXXYZ", "ALMA         ", "QQQQQQQQQQQQQ"});
    const BoardEdit written = board.writeRows({"alma fa 12", "", "\xE9g\xF5"});
    EXPECT_EQ(board.rows(), (Rows {"ALMA FA   XYZ", "ALMA         ", "\xC9G\xD5QQQQQQQQQQ"}));
    EXPECT_EQ(written.cells.count(), 10u + 0u + 3u); // the cells whose character changed
    EXPECT_EQ(board.SelectedCell(), 0);

    board.clear();
    EXPECT_EQ(board.cells(), std::string(39, ' '));
}

} // namespace
