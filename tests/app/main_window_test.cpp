// The main window as a first start leaves it, its board, keyboard and modes.
#include "support/window_fixture.h"

#include "editor/uj_dialog.h"
#include "game/result_windows.h"
#include "game/tables.h"
#include "players/beallitas_dialog.h"
#include "players/jatekosok_dialog.h"
#include "players/nev_window.h"
#include "ui/board_cell.h"
#include "ui/flat_button.h"
#include "ui/gauge.h"
#include "ui/status_bar.h"

#include <QLabel>
#include <QToolButton>
#include <vector>

using testing_support::PuzzleRow;
using testing_support::WindowTest;

namespace {

class MainWindow : public WindowTest
{
protected:
    QString labelText(const char* name) { return control<QLabel>(QString::fromLatin1(name))->text(); }
    bool enabled(const char* name) { return control(QString::fromLatin1(name))->isEnabled(); }
    bool visible(const char* name) { return control(QString::fromLatin1(name))->isVisible(); }
};

TEST_F(MainWindow, FirstStartWithoutFilesShowsTheInitialState)
{
    startProgram();
    TfrmMain& w = main();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Brumvelda v1.0c"));
    EXPECT_EQ(w.variables().AppDir, folder.path());
    EXPECT_EQ(w.variables().PuzzleCount, 0);
    EXPECT_FALSE(w.variables().EditMode);
    EXPECT_EQ(w.editorBoard().SelectedCell(), 0);

    EXPECT_TRUE(w.eHiba->isVisible());
    EXPECT_EQ(w.eHiba->maximum(), 10);
    EXPECT_EQ(w.eHiba->position(), 0);

    EXPECT_EQ(labelText("lNev"), QStringLiteral("Játékos"));
    EXPECT_EQ(labelText("lOsszPont"), QStringLiteral("0"));
    EXPECT_EQ(labelText("lFokozat"), QStringLiteral("Fokozat: KÖZEPES"));
    EXPECT_EQ(labelText("lMostPont"), QStringLiteral("Pontszám:  0"));
    EXPECT_FALSE(visible("lKategoria"));
    EXPECT_FALSE(visible("eInfo"));

    EXPECT_EQ(w.sBar->panelText(1), QString());
    EXPECT_EQ(w.sBar->panelText(3), QString());
    EXPECT_EQ(w.sBar->panelText(4), QStringLiteral("Betű: 0/0 - Súgó: 0 - Passz: 0"));

    // Toolbar at creation: player, settings, editor and exit usable; the round buttons not yet.
    for (const char* name : {"tbJatekos", "tbBeallitas", "tbMod", "tbExit"})
        EXPECT_TRUE(enabled(name) && visible(name)) << name;
    for (const char* name : {"tbUj", "tbInfo", "tbMaganh", "tbSzabad", "tbModOK", "tbModCancel"})
        EXPECT_FALSE(enabled(name)) << name;
    for (const char* name : {"tbSave", "tbLoad", "tbAdatlap"})
        EXPECT_FALSE(visible(name)) << name;

    for (int k = 1; k <= 35; ++k)
        EXPECT_FALSE(w.letterButton(k)->isEnabled()) << k;
    for (const char* name : {"sb1b", "sb2b", "sb3b", "sb1j", "sb2j", "sb3j"})
        EXPECT_FALSE(visible(name)) << name;
}

TEST_F(MainWindow, CellsAndLetterButtonsAreFoundByNumberAtTheirPlaces)
{
    startProgram();
    auto* p1 = control<ui::BoardCell>("p1");
    auto* p14 = control<ui::BoardCell>("p14");
    auto* p39 = control<ui::BoardCell>("p39");
    EXPECT_EQ(p1->geometry(), QRect(8, 176, 40, 40));
    EXPECT_EQ(p14->geometry(), QRect(8, 216, 40, 40));
    EXPECT_EQ(p39->geometry(), QRect(488, 256, 40, 40));
    EXPECT_EQ(p39->tag(), 39);
    EXPECT_EQ(p1->caption(), QString()); // empty until the first blanking

    struct Key
    {
        int number;
        QString letter;
        QPoint place;
    };
    // The first and last key and one of each further row: numbering, letter order and the rows' offsets.
    for (const Key& key : {Key {1, "A", {8, 16}}, Key {21, "Ő", {307, 56}}, Key {35, "Z", {427, 96}}}) {
        auto* button = control<ui::FlatButton>(QStringLiteral("b%1").arg(key.number));
        EXPECT_EQ(button->text(), key.letter) << key.number;
        EXPECT_EQ(button->geometry(), QRect(key.place, QSize(40, 40))) << key.number;
        EXPECT_EQ(button->parentWidget(), main().Panel1);
    }
}

TEST_F(MainWindow, ResetBoardTouchesOnlyWhatItIsAskedTo)
{
    startProgram();
    TfrmMain& w = main();
    w.cell(5)->setLook("X", QColor(255, 255, 0), QColor(255, 255, 0));
    w.ResetBoard(false, true, true);
    for (int k = 1; k <= 35; ++k)
        EXPECT_TRUE(w.letterButton(k)->isEnabled());
    EXPECT_EQ(w.cell(5)->caption(), QStringLiteral("X")); // the board keeps what it shows

    w.letterButton(3)->setEnabled(false);
    w.ResetBoard(true, false, false);
    for (int k = 1; k <= 39; ++k) {
        EXPECT_EQ(w.cell(k)->caption(), QStringLiteral(" "));
        EXPECT_EQ(w.cell(k)->background(), QColor(192, 220, 192));
        EXPECT_EQ(w.cell(k)->textColour(), QColor(0, 128, 128));
    }
    EXPECT_FALSE(w.letterButton(3)->isEnabled());
    EXPECT_TRUE(w.letterButton(4)->isEnabled());
}

TEST_F(MainWindow, RoundInPlayFollowsThePuzzleAndTheSettings)
{
    startProgram();
    TfrmMain& w = main();
    ASSERT_EQ(w.variables().ExactLevel, 0);
    w.applyMode(TfrmMain::Mode::RoundInPlay, {true, true});
    EXPECT_FALSE(w.tbUj->isEnabled());
    EXPECT_FALSE(w.tbMod->isEnabled());
    EXPECT_TRUE(w.tbInfo->isEnabled());
    EXPECT_TRUE(w.tbMaganh->isEnabled());
    EXPECT_TRUE(w.tbSzabad->isEnabled());
    QString disabled;
    for (int k = 1; k <= 35; ++k) {
        if (!w.letterButton(k)->isEnabled())
            disabled += w.letterButton(k)->text();
    }
    EXPECT_EQ(disabled, QStringLiteral("ÁÉÍÓÖŐÚÜŰ"));

    endProgram();
    folder.writeSettings("[Main]\nExactLevel=1\n");
    startProgram();
    TfrmMain& exact = main();
    exact.applyMode(TfrmMain::Mode::RoundInPlay, {false, false});
    EXPECT_FALSE(exact.tbInfo->isEnabled());
    EXPECT_FALSE(exact.tbMaganh->isEnabled());
    for (int k = 1; k <= 35; ++k)
        EXPECT_TRUE(exact.letterButton(k)->isEnabled()) << k;

    exact.applyMode(TfrmMain::Mode::BetweenRounds);
    EXPECT_TRUE(exact.tbUj->isEnabled());
    EXPECT_TRUE(exact.tbMod->isEnabled());
    EXPECT_FALSE(exact.tbSzabad->isEnabled());
    EXPECT_FALSE(exact.letterButton(1)->isEnabled());
}

TEST_F(MainWindow, LeavingTheEditorAllowsANewRoundOnlyWithPuzzlesAndAPlayer)
{
    startProgram();
    TfrmMain& w = main();
    w.applyMode(TfrmMain::Mode::Editor);
    EXPECT_TRUE(w.tbModOK->isEnabled());
    EXPECT_TRUE(w.tbModCancel->isEnabled());
    EXPECT_TRUE(w.tbAdatlap->isVisible());
    EXPECT_FALSE(w.tbMod->isEnabled());
    EXPECT_TRUE(w.tbJatekos->isEnabled() && w.tbBeallitas->isEnabled() && w.tbExit->isEnabled());

    struct Case
    {
        int32_t puzzles;
        std::string player;
        bool newRound;
    };
    for (const Case& c :
         {Case {0, "Anna", false}, Case {3, "", false}, Case {3, " \t", false}, Case {3, "Anna", true}}) {
        endProgram();
        std::filesystem::remove(folder.file("Brumvelda.lis"));
        folder.writePuzzles(std::vector<PuzzleRow>(size_t(c.puzzles), PuzzleRow {"ALMA", 1, "", "", 1, 1}));
        startProgram();
        takeOverName(c.player);
        TfrmMain& left = main();
        ASSERT_EQ(left.variables().PuzzleCount, c.puzzles);
        left.applyMode(TfrmMain::Mode::EditorLeft);
        EXPECT_EQ(left.tbUj->isEnabled(), c.newRound) << c.puzzles << " '" << c.player << "'";
        EXPECT_TRUE(left.tbMod->isEnabled());
        EXPECT_FALSE(left.tbModOK->isEnabled() || left.tbModCancel->isEnabled()
                     || left.tbAdatlap->isVisible());
    }
}

} // namespace

namespace {

// The seven hidden windows are made at start, but their controls only at their first showing; showing one
// makes its controls before it appears, so the user never sees an empty window.
TEST_F(MainWindow, HiddenWindowsGetTheirControlsAtTheirFirstShowing)
{
    startProgram();
    const std::vector<ui::BuiltOnFirstShow<QDialog>*> hidden = {
        windows.frmUj,         windows.frmJatekosok, windows.frmNev,    windows.frmBeallitas,
        windows.frmGratulalok, windows.frmSajnos,    windows.frmSzabad,
    };
    for (ui::BuiltOnFirstShow<QDialog>* window : hidden) {
        SCOPED_TRACE(window->objectName().toStdString());
        EXPECT_FALSE(window->isBuilt());
        // At most the answer label of the loss and give-up windows, which the game writes before showing.
        EXPECT_LE(window->findChildren<QWidget*>().size(), 1);
        window->show();
        EXPECT_TRUE(window->isBuilt());
        EXPECT_FALSE(window->findChildren<QWidget*>().isEmpty());
        window->hide();
    }
}

} // namespace
