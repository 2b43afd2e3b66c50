// Storing a typed puzzle: the details dialog, the record it makes, the data sheet, and the puzzle's way
// into the file and into a round after a restart.
#include "editor_fixture.h"

#include <QApplication>
#include <QLabel>

using editor_testing::EditorTest;
using testing_support::PlayerRow;
using testing_support::PuzzleRow;
using testing_support::typeInto;

namespace {

const QString Blank13 = QString(13, QLatin1Char(' '));
const std::string AlmaText = "ALMA" + std::string(35, ' ');

// The next control Tab moves to (labels and group frames take no focus).
QWidget* nextTabStop(QWidget* from)
{
    QWidget* next = from->nextInFocusChain();
    while (next != from && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

class StorePuzzle : public EditorTest
{
protected:
    void typeAlma()
    {
        enterEditor();
        putRow(1, QStringLiteral("ALMA"));
    }
};

TEST_F(StorePuzzle, FirstOpeningShowsTheBoardRowsAndTheStartValues)
{
    startProgram();
    typeAlma();
    putRow(3, QStringLiteral("FA"));
    expectDetailsSeen([](TfrmUj& uj) {
        EXPECT_EQ(uj.windowTitle(), QStringLiteral("Új feladat"));
        EXPECT_EQ(uj.e1->text(), QStringLiteral("ALMA         "));
        EXPECT_EQ(uj.e2->text(), Blank13);
        EXPECT_EQ(uj.e3->text(), QStringLiteral("FA           "));
        EXPECT_EQ(uj.eSg1->text(), QString());
        EXPECT_EQ(uj.eSg2->text(), QString());
        EXPECT_EQ(uj.rgUjNyelv->button(uj.rgUjNyelv->itemIndex())->text(), QStringLiteral("Magyar"));
        EXPECT_EQ(uj.rgUjFokozat->button(uj.rgUjFokozat->itemIndex())->text(), QStringLiteral("Gyerek"));
        EXPECT_EQ(uj.rgUjKat->button(uj.rgUjKat->itemIndex())->text(), QStringLiteral("Tárgy"));
        EXPECT_EQ(uj.focusWidget(), uj.e1);
    });
    click(main().tbAdatlap);
    EXPECT_TRUE(main().variables().EditMode);
}

TEST_F(StorePuzzle, DialogControlsCarryTheirLimitsAndLayout)
{
    startProgram();
    TfrmUj& uj = dialog();
    uj.ensureBuilt(); // its controls are made at its first showing
    EXPECT_TRUE(uj.BitBtn1->isDefault());
    ASSERT_EQ(uj.rgUjKat->count(), 16);
    expectDetailsSeen([](TfrmUj& shown) {
        // Four columns, filled down each column first.
        const ui::RadioGroup* kat = shown.rgUjKat;
        EXPECT_EQ(kat->button(0)->x(), kat->button(3)->x());
        EXPECT_LT(kat->button(3)->x(), kat->button(4)->x());
        EXPECT_LT(kat->button(8)->x(), kat->button(12)->x());
        EXPECT_EQ(kat->button(0)->y(), kat->button(12)->y());
        EXPECT_LT(kat->button(0)->y(), kat->button(1)->y());
    });
    click(main().tbMod);
    click(main().tbAdatlap);

    // Tab order: OK, Mégsem, the rows, then the categories.
    EXPECT_EQ(nextTabStop(uj.BitBtn1), uj.BitBtn2);
    EXPECT_EQ(nextTabStop(uj.BitBtn2), uj.e1);
    EXPECT_EQ(nextTabStop(uj.e3), uj.rgUjKat->button(0));
    EXPECT_EQ(nextTabStop(uj.rgUjKat->button(15)), uj.eSg1);
    EXPECT_EQ(nextTabStop(uj.eSg2), uj.rgUjNyelv->button(0));

    // Longer texts are cut at the limits; a hint refuses what it could not store.
    QTest::keyClicks(uj.e1, QStringLiteral("abcdefghijklmnop"));
    EXPECT_EQ(uj.e1->text(), QStringLiteral("abcdefghijklm"));
    QTest::keyClicks(uj.eSg1, QString(120, QLatin1Char('x')));
    EXPECT_EQ(uj.eSg1->text().size(), 100);
    typeInto(uj.eSg2, QStringLiteral("piros ж őz"));
    EXPECT_EQ(uj.eSg2->text(), QStringLiteral("piros  őz"));
}

TEST_F(StorePuzzle, AcceptStoresTheRecordAndLeavesEditorMode)
{
    startProgram();
    typeAlma();
    expectDetails({.hint1 = QStringLiteral("  piros gyumolcs  "),
                   .hint2 = QString(),
                   .language = 1,
                   .level = 2,
                   .category = 12});
    click(main().tbModOK);
    TfrmMain& m = main();
    EXPECT_EQ(m.variables().PuzzleCount, 1);
    EXPECT_EQ(m.round().PuzzleText(), AlmaText);
    EXPECT_FALSE(m.variables().EditMode);
    EXPECT_EQ(board(), QString(39, QLatin1Char(' ')));
    ASSERT_EQ(m.dbLista.recordCount(), 1);
    m.dbLista.first();
    EXPECT_EQ(m.dbLista.asString(storage::puzzle::Szoveg), AlmaText);
    EXPECT_EQ(m.dbLista.asInt(storage::puzzle::Fokozat), 3);
    EXPECT_EQ(m.dbLista.asInt(storage::puzzle::Nyelv), 2);
    EXPECT_EQ(m.dbLista.asInt(storage::puzzle::Kategoria), 13);
    EXPECT_EQ(m.dbLista.asString(storage::puzzle::Sugo1), "piros gyumolcs");
    EXPECT_EQ(m.dbLista.asString(storage::puzzle::Sugo2), "");
    EXPECT_FALSE(m.tbUj->isEnabled()); // no player yet

    // The next puzzle finds the previous one's details in the dialog.
    enterEditor();
    expectDetailsSeen([](TfrmUj& uj) {
        EXPECT_EQ(uj.eSg1->text(), QStringLiteral("  piros gyumolcs  "));
        EXPECT_EQ(uj.rgUjNyelv->itemIndex(), 1);
        EXPECT_EQ(uj.rgUjFokozat->itemIndex(), 2);
        EXPECT_EQ(uj.rgUjKat->itemIndex(), 12);
    });
    click(main().tbModOK);
    EXPECT_EQ(main().variables().PuzzleCount, 1);
}

TEST_F(StorePuzzle, RowFieldsCorrectTheBoardBeforeItIsStored)
{
    startProgram();
    typeAlma();
    putRow(2, QStringLiteral("XXXXXXXXXXXYZ"));
    putRow(3, QStringLiteral("HARMADIK"));
    expectDetails({.rows = {std::nullopt, QStringLiteral("alma fa 12"), QString()}});
    click(main().tbModOK);
    const auto& list = main().dbLista;
    ASSERT_EQ(list.recordCount(), 1);
    EXPECT_EQ(list.stringAt(0, storage::puzzle::Szoveg),
              "ALMA         "
              "ALMA FA   XYZ"
              "HARMADIK     ");
}

TEST_F(StorePuzzle, TypingIntoAFullRowFieldGoesOverTheCellsAfterTheCursor)
{
    startProgram();
    typeAlma();
    modals.expectDialog<TfrmUj>([](TfrmUj& uj) {
        uj.e1->setCursorPosition(4);
        QTest::keyClicks(uj.e1, " fa");
        EXPECT_EQ(uj.e1->text(), QStringLiteral("ALMA fa      "));
        uj.e1->setCursorPosition(13);
        QTest::keyClicks(uj.e1, "x"); // past the last cell there is nothing to go over
        EXPECT_EQ(uj.e1->text().size(), 13);
        QTest::mouseClick(uj.BitBtn1, Qt::LeftButton);
    });
    click(main().tbModOK);
    ASSERT_EQ(main().dbLista.recordCount(), 1);
    EXPECT_EQ(main().dbLista.stringAt(0, storage::puzzle::Szoveg), "ALMA FA" + std::string(32, ' '));
}

TEST_F(StorePuzzle, MegsemStoresNothingAndEndsEditorMode)
{
    startProgram();
    typeAlma();
    expectDetails({.hint1 = QStringLiteral("semmi"), .accept = false});
    click(main().tbModOK);
    EXPECT_FALSE(main().variables().EditMode);
    EXPECT_EQ(main().variables().PuzzleCount, 0);
    EXPECT_EQ(main().dbLista.recordCount(), 0);
    EXPECT_EQ(board(), QString(39, QLatin1Char(' ')));
}

TEST_F(StorePuzzle, DataSheetWritesRowsBackAndKeepsEditing)
{
    startProgram();
    typeAlma();
    expectDetails({.rows = {QStringLiteral("körte"), std::nullopt, std::nullopt}});
    click(main().tbAdatlap);
    EXPECT_TRUE(main().variables().EditMode);
    EXPECT_EQ(row(1), QStringLiteral("KÖRTE        "));
    EXPECT_EQ(main().dbLista.recordCount(), 0);

    // Cancelled, the board stays as it was.
    expectDetails({.rows = {QStringLiteral("szilva"), std::nullopt, std::nullopt}, .accept = false});
    doubleClick(main().eInfo);
    EXPECT_EQ(row(1), QStringLiteral("KÖRTE        "));
    EXPECT_TRUE(main().variables().EditMode);
    EXPECT_EQ(main().dbLista.recordCount(), 0);

    // The hint lines open it too while editing.
    expectDetailsSeen([](TfrmUj&) {});
    doubleClick(main().eSugo1);
    EXPECT_EQ(modals.pending(), 0);
}

TEST_F(StorePuzzle, HintLinesOpenNothingOutsideEditorMode)
{
    startProgram();
    doubleClick(main().eSugo1); // a modal window here would fail the test
    doubleClick(main().eSugo2);
    EXPECT_FALSE(main().variables().EditMode);
}

TEST_F(StorePuzzle, AListThatCannotTakeTheRecordShowsTheErrorAndKeepsThePuzzle)
{
    startProgram();
    typeAlma();
    EXPECT_TRUE(main().dbLista.close().ok());
    expectDetails({});
    modals.expectMessageTitled("Brumvelda");
    click(main().tbModOK);
    EXPECT_TRUE(main().variables().EditMode);
    EXPECT_EQ(row(1), QStringLiteral("ALMA         "));
}

TEST_F(StorePuzzle, AStoredPuzzleEnablesANewRoundOnlyWithAPlayer)
{
    struct Row
    {
        std::string player;
        int32_t puzzles;
        bool newRound;
    };
    startProgram();
    for (const Row& r : {Row {" \t ", 1, false}, Row {"Anna", 2, true}}) {
        SCOPED_TRACE("player '" + r.player + "'");
        takeOverName(r.player);
        typeAlma();
        expectDetails({});
        click(main().tbModOK);
        EXPECT_EQ(main().variables().PuzzleCount, r.puzzles);
        EXPECT_EQ(main().tbUj->isEnabled(), r.newRound);
    }
}

TEST_F(StorePuzzle, NewPuzzleIsInTheFileAfterExitAndPlayableAfterARestart)
{
    folder.writePlayers({{"Anna", 0, 0}});
    startAs("Anna");
    typeAlma();
    expectDetails({.hint1 = QStringLiteral("gyumolcs"), .language = 0, .level = 0, .category = 0});
    click(main().tbModOK);
    EXPECT_TRUE(main().tbUj->isEnabled());
    click(main().tbExit);

    const std::vector<PuzzleRow> stored = folder.readPuzzles();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].Szoveg, AlmaText);
    EXPECT_EQ(stored[0].Sugo1, "gyumolcs");
    EXPECT_EQ(stored[0].Nyelv, 1);
    EXPECT_EQ(stored[0].Fokozat, 1);
    EXPECT_EQ(stored[0].Kategoria, 1);

    endProgram();
    startProgram();
    EXPECT_EQ(main().variables().PuzzleCount, 1);
    ASSERT_TRUE(main().tbUj->isEnabled());
    click(main().tbUj);
    EXPECT_EQ(main().round().PuzzleText(), AlmaText);
    EXPECT_EQ(cell(1)->caption(), QStringLiteral("A"));
    EXPECT_EQ(cell(1)->textColour(), cell(1)->background()); // hidden
    EXPECT_TRUE(cell(1)->hidesLetter());
    EXPECT_TRUE(main().letterButton(1)->isEnabled());
}

// The save right after a stored puzzle keeps a damaged list aside and says nothing; the exit says where.
TEST_F(StorePuzzle, ADamagedListKeptAsideWhenAPuzzleIsStoredIsToldAtTheExit)
{
    const std::string damaged = "TPF0 this is not a table file at all";
    folder.writeFile("Brumvelda.lis", damaged);
    modals.expectMessage(); // the load error
    startProgram();
    typeAlma();
    expectDetails({});
    click(main().tbModOK);
    EXPECT_EQ(folder.readFile("Brumvelda.lis.bak"), damaged);
    EXPECT_EQ(modals.messages().size(), 1u);

    modals.expectMessage(); // where the damaged original went
    click(main().tbExit);
    ASSERT_EQ(modals.messages().size(), 2u);
    EXPECT_TRUE(modals.messages()[1].contains(QString::fromStdString(folder.file("Brumvelda.lis.bak"))));
    EXPECT_FALSE(folder.exists("Brumvelda.lis.bak1"));
    EXPECT_EQ(folder.readPuzzles().size(), 1u);
}

} // namespace
