// Editor mode on the main window: entering and leaving, pressing cells, typing, scrolling rows, shortcuts.
#include "editor_fixture.h"

#include <QLabel>
#include <QMouseEvent>

using editor_testing::EditorTest;
using editor_testing::Plain;
using editor_testing::Teal;
using editor_testing::Yellow;

namespace {

const QString Blank13 = QString(13, QLatin1Char(' '));

class EditorMode : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        startProgram();
        enterEditor();
    }
    std::vector<ui::FlatButton*> scrollButtons()
    {
        TfrmMain& m = main();
        return {m.sb1b, m.sb2b, m.sb3b, m.sb1j, m.sb2j, m.sb3j};
    }
    void expectNormal(int k)
    {
        EXPECT_EQ(cell(k)->background(), Plain) << "cell " << k;
        EXPECT_EQ(cell(k)->textColour(), Teal) << "cell " << k;
    }
};

TEST_F(EditorMode, EnteringBlanksTheBoardAndShowsTheEditorControls)
{
    TfrmMain& m = main();
    EXPECT_TRUE(m.variables().EditMode);
    EXPECT_EQ(m.editorBoard().SelectedCell(), 0);
    EXPECT_EQ(board(), QString(39, QLatin1Char(' ')));
    for (int k = 1; k <= 39; ++k)
        expectNormal(k);
    EXPECT_TRUE(m.eInfo->isVisible());
    EXPECT_EQ(m.eInfo->text(), QStringLiteral("Ctrl+ENTER - Mentés; ESC - Minden karaktert töröl"));
    EXPECT_EQ(m.lKategoria->text(), QStringLiteral("Új felvitel"));
    EXPECT_FALSE(m.lKategoria->isVisible()); // its visibility belongs to the rounds
    for (ui::FlatButton* button : scrollButtons()) {
        EXPECT_TRUE(button->isVisible()) << button->objectName().toStdString();
        EXPECT_EQ(button->size(), QSize(8, 40));
        EXPECT_EQ(button->toolTip(),
                  button->tag() <= 3 ? QStringLiteral("Ezt a sort eggyel balra görgeti...")
                                     : QStringLiteral("Ezt a sort eggyel jobbra görgeti..."));
    }
    EXPECT_FALSE(m.tbUj->isEnabled());
    EXPECT_FALSE(m.tbMod->isEnabled());
    EXPECT_TRUE(m.tbModOK->isEnabled());
    EXPECT_TRUE(m.tbModCancel->isEnabled());
    EXPECT_TRUE(m.tbAdatlap->isVisible());
    EXPECT_TRUE(m.tbJatekos->isEnabled());
    EXPECT_TRUE(m.tbExit->isEnabled());
}

TEST_F(EditorMode, DiscardingDropsThePuzzleAndRestoresTheWindow)
{
    putRow(1, QStringLiteral("ALMA"));
    press(20);
    click(main().tbModCancel);
    TfrmMain& m = main();
    EXPECT_FALSE(m.variables().EditMode);
    EXPECT_EQ(m.editorBoard().SelectedCell(), 0);
    EXPECT_EQ(board(), QString(39, QLatin1Char(' ')));
    expectNormal(20);
    EXPECT_FALSE(m.eInfo->isVisible());
    for (ui::FlatButton* button : scrollButtons())
        EXPECT_FALSE(button->isVisible());
    EXPECT_EQ(m.lKategoria->text(), QStringLiteral("Kategória"));
    EXPECT_TRUE(m.tbMod->isEnabled());
    EXPECT_FALSE(m.tbModOK->isEnabled());
    EXPECT_FALSE(m.tbModCancel->isEnabled());
    EXPECT_FALSE(m.tbAdatlap->isVisible());
    EXPECT_FALSE(m.tbUj->isEnabled()); // an empty list and no player
    EXPECT_EQ(m.variables().PuzzleCount, 0);

    // Outside editor mode cells and keys do nothing.
    press(3);
    type(QStringLiteral("a"));
    EXPECT_EQ(m.editorBoard().SelectedCell(), 0);
    EXPECT_EQ(cell(3)->caption(), QStringLiteral(" "));
}

TEST_F(EditorMode, EnteringAgainBlanksWhatABoardStillShows)
{
    click(main().tbModCancel);
    for (int k = 1; k <= 39; ++k)
        cell(k)->hideLetter(QStringLiteral("X"), Yellow); // letters a round left hidden
    enterEditor();
    EXPECT_EQ(board(), QString(39, QLatin1Char(' ')));
    for (int k = 1; k <= 39; ++k)
        EXPECT_FALSE(cell(k)->hidesLetter()) << "cell " << k;
    expectNormal(1);
    expectNormal(39);
}

TEST_F(EditorMode, LeftPressSelectsAndMovesTheSelection)
{
    press(3);
    EXPECT_EQ(main().editorBoard().SelectedCell(), 3);
    EXPECT_EQ(cell(3)->background(), Yellow);
    EXPECT_EQ(cell(3)->textColour(), Teal);
    press(3); // again: stays selected
    EXPECT_EQ(main().editorBoard().SelectedCell(), 3);
    EXPECT_EQ(cell(3)->background(), Yellow);
    press(9);
    EXPECT_EQ(main().editorBoard().SelectedCell(), 9);
    expectNormal(3);
    EXPECT_EQ(cell(9)->background(), Yellow);
}

TEST_F(EditorMode, RightPressBlanksTheCellAndEndsAnySelection)
{
    put(9, QStringLiteral("k"));
    press(3);
    press(9, Qt::RightButton);
    EXPECT_EQ(main().editorBoard().SelectedCell(), 0);
    EXPECT_EQ(cell(9)->caption(), QStringLiteral(" "));
    expectNormal(3);
    expectNormal(9);

    put(4, QStringLiteral("b"));
    press(4);
    press(4, Qt::RightButton); // the selected cell itself
    EXPECT_EQ(main().editorBoard().SelectedCell(), 0);
    EXPECT_EQ(cell(4)->caption(), QStringLiteral(" "));
    expectNormal(4);
}

TEST_F(EditorMode, PressesThatAreNotPlainDoNothing)
{
    put(9, QStringLiteral("k"));
    press(3);
    press(9, Qt::LeftButton, Qt::ShiftModifier);
    press(9, Qt::RightButton, Qt::ControlModifier);
    press(9, Qt::LeftButton, Qt::AltModifier);
    press(9, Qt::MiddleButton);
    EXPECT_EQ(main().editorBoard().SelectedCell(), 3);
    EXPECT_EQ(cell(9)->caption(), QStringLiteral("K"));

    // A right press while the left button is still held down.
    QTest::mousePress(cell(5), Qt::LeftButton);
    QTest::mousePress(cell(9), Qt::RightButton);
    QTest::mouseRelease(cell(9), Qt::RightButton);
    QTest::mouseRelease(cell(5), Qt::LeftButton);
    EXPECT_EQ(main().editorBoard().SelectedCell(), 5);
    EXPECT_EQ(cell(9)->caption(), QStringLiteral("K"));

    // The second press of a double click on another cell.
    QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(20, 20), cell(9)->mapToGlobal(QPointF(20, 20)),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(cell(9), &second);
    EXPECT_EQ(main().editorBoard().SelectedCell(), 5);
}

TEST_F(EditorMode, DoubleClickSelectsWithItsFirstPress)
{
    doubleClick(cell(7));
    EXPECT_EQ(main().editorBoard().SelectedCell(), 7);
    EXPECT_EQ(cell(7)->background(), Yellow);
}

TEST_F(EditorMode, TypedLetterFillsTheSelectedCellAsACapital)
{
    put(5, QStringLiteral("é"));
    EXPECT_EQ(cell(5)->caption(), QStringLiteral("É"));
    expectNormal(5);
    EXPECT_EQ(main().editorBoard().SelectedCell(), 0);
    type(QStringLiteral("a")); // nothing selected now
    EXPECT_EQ(board().count(QLatin1Char('A')), 0);

    // Hungarian layouts deliver the double-acute letters as text; capitals and marks stay as they are.
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("ő"), QStringLiteral("Ő")}, {QStringLiteral("ű"), QStringLiteral("Ű")},
        {QStringLiteral("q"), QStringLiteral("Q")}, {QStringLiteral("Ú"), QStringLiteral("Ú")},
        {QStringLiteral("/"), QStringLiteral("/")}, {QStringLiteral("?"), QStringLiteral("?")},
    };
    int k = 14;
    for (const auto& [typed, shown] : cases) {
        put(k, typed);
        EXPECT_EQ(cell(k)->caption(), shown) << typed.toStdString();
        ++k;
    }
}

TEST_F(EditorMode, RefusedKeysLeaveTheCellAndItsSelection)
{
    put(5, QStringLiteral("m"));
    press(5);
    type(QStringLiteral("7"), Qt::Key_7);
    type(QStringLiteral(" "), Qt::Key_Space);
    key(Qt::Key_Backspace);
    key(Qt::Key_Return);
    type(QStringLiteral("ä"));
    type(QStringLiteral("ô"));
    type(QStringLiteral("ж")); // no Windows-1250 byte at all
    type(QStringLiteral("ab")); // one key, two characters (an input method): not one cell's worth
    type(QStringLiteral("a"), Qt::Key_A, Qt::AltModifier); // X11 gives Alt+A the text "a"
    EXPECT_EQ(cell(5)->caption(), QStringLiteral("M"));
    EXPECT_EQ(main().editorBoard().SelectedCell(), 5);
    EXPECT_EQ(cell(5)->background(), Yellow);
}

TEST_F(EditorMode, ScrollingTurnsTheRowBothWays)
{
    putRow(2, QStringLiteral("ALMA"));
    click(main().sb2j);
    EXPECT_EQ(row(2), QStringLiteral(" ALMA        "));
    click(main().sb2b);
    click(main().sb2b);
    EXPECT_EQ(row(2), QStringLiteral("LMA         A"));
    EXPECT_EQ(row(1), Blank13);
    EXPECT_EQ(row(3), Blank13);
}

TEST_F(EditorMode, ThirteenScrollsGiveTheRowBack)
{
    putRow(3, QStringLiteral("KÉT SZÓ A FAL"));
    for (ui::FlatButton* button : {main().sb3b, main().sb3j}) {
        for (int i = 0; i < 13; ++i)
            click(button);
        EXPECT_EQ(row(3), QStringLiteral("KÉT SZÓ A FAL")) << button->objectName().toStdString();
    }
    putRow(1, QStringLiteral("EGY"));
    for (int i = 0; i < 13; ++i)
        click(main().sb1j);
    EXPECT_EQ(row(1), QStringLiteral("EGY          "));
}

TEST_F(EditorMode, ScrollingKeepsTheSelectionOnItsPlace)
{
    putRow(2, QStringLiteral("ALMA"));
    press(14);
    click(main().sb2j);
    EXPECT_EQ(main().editorBoard().SelectedCell(), 14);
    EXPECT_EQ(cell(14)->background(), Yellow);
    EXPECT_EQ(cell(15)->background(), Plain);
    type(QStringLiteral("k"));
    EXPECT_EQ(row(2), QStringLiteral("KALMA        "));
}

TEST_F(EditorMode, EscWithAnyModifiersClearsAndLeaves)
{
    for (Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ControlModifier),
          Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
        if (!main().variables().EditMode)
            enterEditor();
        put(1, QStringLiteral("x"));
        key(Qt::Key_Escape, modifiers);
        EXPECT_FALSE(main().variables().EditMode);
        EXPECT_EQ(cell(1)->caption(), QStringLiteral(" "));
    }
}

TEST_F(EditorMode, OnlyCtrlEnterOpensTheDetails)
{
    put(1, QStringLiteral("x"));
    key(Qt::Key_Return);
    key(Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
    key(Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier);
    EXPECT_TRUE(main().variables().EditMode);
    EXPECT_EQ(cell(1)->caption(), QStringLiteral("X"));

    expectDetails({.accept = false});
    key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(modals.pending(), 0);
    EXPECT_FALSE(main().variables().EditMode);

    // The keypad's Enter works the same.
    enterEditor();
    expectDetails({.accept = false});
    key(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(modals.pending(), 0);
}

TEST_F(EditorMode, AReleaseWhosePressWentElsewhereIsIgnored)
{
    put(1, QStringLiteral("x"));
    // The Esc that closed a dialog arrives here only as its release.
    QTest::keyRelease(&main(), Qt::Key_Escape);
    QTest::keyRelease(&main(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(main().variables().EditMode);
    EXPECT_EQ(cell(1)->caption(), QStringLiteral("X"));
}

TEST_F(EditorMode, ShortcutsDoNothingOutsideEditorMode)
{
    click(main().tbModCancel);
    key(Qt::Key_Return, Qt::ControlModifier); // no details dialog is expected
    key(Qt::Key_Escape);
    EXPECT_FALSE(main().variables().EditMode);
    EXPECT_TRUE(main().tbMod->isEnabled());
}

} // namespace
