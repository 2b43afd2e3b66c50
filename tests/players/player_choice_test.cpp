// Choosing the player and the round options: what the main window shows, what survives a restart, and
// which record the current player's totals land in.
#include "players_fixture.h"
#include "ui/board_cell.h"

#include <QToolButton>

namespace {

using players_testing::PlayersTest;
using testing_support::choose;
using testing_support::clickMark;

using PlayerChoice = PlayersTest;

TEST_F(PlayerChoice, FirstStartNewPlayerBecomesCurrentWithNothingScored)
{
    startProgram();
    EXPECT_TRUE(main().variables().PlayerName.empty());
    EXPECT_FALSE(main().tbUj->isEnabled());

    withPlayerDialog([this](TfrmJatekosok& players) {
        expectNameEntry(QStringLiteral("Anna"));
        click(players.sbUj);
        pressOk(players);
    });
    EXPECT_EQ(main().lNev->text(), "Anna");
    EXPECT_EQ(main().lOsszPont->text(), "0");
    EXPECT_EQ(main().lMostPont->text(), QStringLiteral("Pontszám: 0"));
    EXPECT_EQ(main().lFokozat->text(), "Fokozat: GYEREK");
    EXPECT_EQ(statusPanel(1), "GYEREK");
    EXPECT_EQ(statusPanel(3), "MAGYAR");
    EXPECT_EQ(statusPanel(4), QStringLiteral("Betű: 10/-1 - Súgó: -2 - Passz: -5"));
    EXPECT_TRUE(main().tbUj->isEnabled());
    EXPECT_TRUE(main().tbMod->isEnabled());
    EXPECT_FALSE(main().tbSzabad->isEnabled());

    exitProgram();
    const auto stored = folder.readPlayers();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].Nev, "Anna");
    EXPECT_EQ(stored[0].OsszPont, 0);
    EXPECT_EQ(stored[0].Jatszott, 0);
    EXPECT_TRUE(settingsText().contains("User=Anna")) << settingsText().toStdString();
}

TEST_F(PlayerChoice, RestartBringsBackPlayerLevelLanguageAndChosenCategories)
{
    folder.writePlayers({{"A", 5, 1}, {"B", 40, 4}});
    startProgram();
    withPlayerDialog([](TfrmJatekosok& players) {
        clickPlayer(players, "B");
        choose(players.rgFokozat, 2);
        choose(players.rgNyelv, 1);
        choose(players.cgKatAlap, 1);
        EXPECT_TRUE(players.cgKat->isEnabled());
        EXPECT_EQ(players.cgKat->value(), 65535u) << "going to Választott: leaves every box checked";
        checkOnly(players, {3, 16}); // Hely, Szín
        pressOk(players);
    });
    EXPECT_EQ(main().variables().PlayCategories, 32772);
    exitProgram();

    startProgram();
    EXPECT_EQ(main().lNev->text(), "B");
    EXPECT_EQ(main().lOsszPont->text(), "40");
    EXPECT_EQ(main().variables().PlayerRounds, 4);
    EXPECT_EQ(main().lFokozat->text(), QStringLiteral("Fokozat: KÖZEPES"));
    EXPECT_EQ(statusPanel(1), QStringLiteral("KÖZEPES"));
    EXPECT_EQ(statusPanel(3), "ANGOL");
    EXPECT_EQ(statusPanel(4), QStringLiteral("Betű: 5/-2 - Súgó: -10 - Passz: -10"));
    EXPECT_TRUE(main().tbUj->isEnabled());
    withPlayerDialog([](TfrmJatekosok& players) {
        EXPECT_EQ(players.cgKatAlap->itemIndex(), 1);
        EXPECT_TRUE(players.cgKat->isEnabled());
        EXPECT_EQ(players.cgKat->value(), 32772u);
        EXPECT_EQ(players.rgFokozat->itemIndex(), 2);
        EXPECT_EQ(players.rgNyelv->itemIndex(), 1);
        EXPECT_EQ(selectedName(players), "B");
        pressCancel(players);
    });
}

TEST_F(PlayerChoice, AllCategoriesShowMindenWithADisabledFullyCheckedGroup)
{
    folder.writePlayers({{"A", 0, 0}});
    startProgram();
    withPlayerDialog([](TfrmJatekosok& players) {
        EXPECT_EQ(players.cgKatAlap->itemIndex(), 0);
        EXPECT_FALSE(players.cgKat->isEnabled());
        EXPECT_EQ(players.cgKat->value(), 65535u);
        EXPECT_EQ(players.cgKat->box(8)->text(), QStringLiteral("Élőlény"));

        choose(players.cgKatAlap, 1);
        checkOnly(players, {1});
        choose(players.cgKatAlap, 0);
        EXPECT_EQ(players.cgKat->value(), 65535u) << "Minden checks every box again";
        EXPECT_FALSE(players.cgKat->isEnabled());
        pressCancel(players);
    });
}

TEST_F(PlayerChoice, NoBoxCheckedIsAcceptedAndComesBackAsAllAfterRestart)
{
    folder.writePlayers({{"A", 0, 0}});
    startProgram();
    withPlayerDialog([](TfrmJatekosok& players) {
        choose(players.cgKatAlap, 1);
        checkOnly(players, {});
        pressOk(players);
    });
    EXPECT_EQ(main().variables().PlayCategories, 0);
    exitProgram();
    startProgram();
    EXPECT_EQ(main().variables().PlayCategories, 65535);
}

TEST_F(PlayerChoice, CancelKeepsPlayerAndOptionsAndDropsTheDialogsChoices)
{
    folder.writePlayers({{"A", 5, 1}, {"B", 40, 4}});
    startAs("A", "Level=2\n");
    withPlayerDialog([](TfrmJatekosok& players) {
        clickPlayer(players, "B");
        choose(players.rgFokozat, 3);
        choose(players.rgNyelv, 2);
        pressCancel(players);
    });
    EXPECT_EQ(main().variables().PlayLevel, 2);
    EXPECT_EQ(main().variables().PlayLanguage, 1);
    EXPECT_EQ(main().lNev->text(), "A");
    EXPECT_EQ(main().lFokozat->text(), QStringLiteral("Fokozat: KEZDŐ"));
    withPlayerDialog([](TfrmJatekosok& players) {
        EXPECT_EQ(players.rgFokozat->itemIndex(), 1) << "the next opening starts from the game's choices";
        EXPECT_EQ(players.rgNyelv->itemIndex(), 0);
        pressCancel(players);
    });
}

TEST_F(PlayerChoice, OkOnAnEmptyRegisterSaysWhyAndAppliesNothing)
{
    startProgram();
    withPlayerDialog([this](TfrmJatekosok& players) {
        choose(players.rgFokozat, 3);
        choose(players.cgKatAlap, 1);
        checkOnly(players, {2});
        // OK used to close without a word here; it now says that a player is made first and stays open.
        modals.expectMessage(QMessageBox::Ok);
        pressOk(players);
        EXPECT_TRUE(players.isVisible());
        EXPECT_NE(players.result(), QDialog::Accepted);
        pressCancel(players);
    });
    ASSERT_EQ(modals.messages().size(), 1u);
    EXPECT_EQ(modals.messages().front(), QStringLiteral("Még nincs játékos, akit kiválaszthatna."));
    EXPECT_TRUE(main().variables().PlayerName.empty());
    EXPECT_EQ(main().variables().PlayLevel, 1);
    EXPECT_EQ(main().variables().PlayCategories, 65535);
    EXPECT_EQ(main().lNev->text(), QStringLiteral("Játékos"));
    EXPECT_FALSE(main().tbUj->isEnabled());
}

TEST_F(PlayerChoice, StartUpRestoreNeedsTheExactName)
{
    folder.writePlayers({{"Anna", 5, 1}});
    folder.writeSettings("[Last]\nUser=anna\n");
    startProgram();
    EXPECT_TRUE(main().variables().PlayerName.empty());
    EXPECT_EQ(main().lNev->text(), QStringLiteral("Játékos"));
    EXPECT_FALSE(main().tbUj->isEnabled());
    EXPECT_EQ(statusPanel(1), "");
}

TEST_F(PlayerChoice, TotalsLandInTheCurrentPlayersOwnRecordWhateverRowIsSelected)
{
    folder.writePlayers({{"Anna", 10, 1}, {"Bea", 20, 2}});
    startAs("Anna");
    takeOverFigures(55, 4); // as rounds would have left it
    withPlayerDialog([](TfrmJatekosok& players) {
        clickTitle(players, 1);
        clickPlayer(players, "Bea");
        pressCancel(players);
    });
    exitProgram();
    const auto stored = folder.readPlayers();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].OsszPont, 55);
    EXPECT_EQ(stored[0].Jatszott, 4);
    EXPECT_EQ(stored[1].OsszPont, 20);
    EXPECT_EQ(stored[1].Jatszott, 2);
}

TEST_F(PlayerChoice, WithoutAPlayerNoRecordIsWritten)
{
    folder.writePlayers({{"Anna", 10, 1}, {"Bea", 20, 2}});
    startProgram();
    takeOverFigures(99, 9);
    exitProgram();
    const auto stored = folder.readPlayers();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].OsszPont, 10);
    EXPECT_EQ(stored[1].OsszPont, 20);
}

TEST_F(PlayerChoice, ADeletedCurrentPlayerGetsNoRecordWritten)
{
    folder.writePlayers({{"Anna", 10, 1}, {"Bea", 20, 2}});
    startAs("Anna");
    takeOverFigures(77, main().variables().PlayerRounds);
    withPlayerDialog([this](TfrmJatekosok& players) {
        clickPlayer(players, "Anna");
        modals.expectMessage(QMessageBox::Yes);
        click(players.sbDel);
        pressCancel(players);
    });
    // Back to the no-player state of the first start: nobody shown, no round to start.
    EXPECT_TRUE(main().variables().PlayerName.empty());
    EXPECT_EQ(main().lNev->text(), QStringLiteral("Játékos"));
    EXPECT_EQ(main().lOsszPont->text(), "0");
    EXPECT_FALSE(main().tbUj->isEnabled());
    exitProgram();
    const auto stored = folder.readPlayers();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].Nev, "Bea");
    EXPECT_EQ(stored[0].OsszPont, 20);
    EXPECT_TRUE(settingsText().contains("User=\n") || settingsText().endsWith("User="))
        << settingsText().toStdString();
}

TEST_F(PlayerChoice, DeletingTheCurrentPlayerDuringARoundEndsItUnscored)
{
    folder.writePlayers({{"Anna", 10, 1}, {"Bea", 20, 2}});
    startAs("Anna");
    main().applyMode(TfrmMain::Mode::RoundInPlay);
    ASSERT_TRUE(main().letterButton(1)->isEnabled());
    withPlayerDialog([this](TfrmJatekosok& players) {
        clickPlayer(players, "Anna");
        modals.expectMessage(QMessageBox::Yes);
        click(players.sbDel);
        pressCancel(players);
    });
    EXPECT_FALSE(main().tbSzabad->isEnabled());
    EXPECT_FALSE(main().tbUj->isEnabled());
    EXPECT_FALSE(main().letterButton(1)->isEnabled()) << "letters still take guesses for nobody";
}

TEST_F(PlayerChoice, ChoosingAgainFirstWritesTheGainsBack)
{
    folder.writePlayers({{"Anna", 10, 1}, {"Bea", 20, 2}});
    startAs("Anna");
    takeOverFigures(30, 3);
    withPlayerDialog([](TfrmJatekosok& players) { pressOk(players); }); // the same player again
    EXPECT_EQ(main().lOsszPont->text(), "30");
    EXPECT_EQ(main().variables().PlayerRounds, 3);

    takeOverFigures(45, 4);
    withPlayerDialog([](TfrmJatekosok& players) {
        clickPlayer(players, "Bea");
        pressOk(players);
    });
    EXPECT_EQ(main().lNev->text(), "Bea");
    EXPECT_EQ(main().lOsszPont->text(), "20");
    takeOverFigures(26, 3);
    exitProgram();
    const auto stored = folder.readPlayers();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].OsszPont, 45) << "Anna's gains were written when Bea was chosen";
    EXPECT_EQ(stored[0].Jatszott, 4);
    EXPECT_EQ(stored[1].OsszPont, 26);
    EXPECT_TRUE(settingsText().contains("User=Bea"));
}

TEST_F(PlayerChoice, ADamagedRegisterIsReportedAndNoPlayerIsRestored)
{
    folder.writeFile("Brumvelda.jat", "not a table file at all");
    folder.writeSettings("[Last]\nUser=Anna\n");
    modals.expectMessageTitled("Brumvelda");
    startProgram();
    EXPECT_TRUE(main().variables().PlayerName.empty());
    // The damaged file is kept under a backup name when the register is written at the end.
    modals.expectMessage();
    exitProgram();
    // Restoring the register's backup must bring the last player back.
    EXPECT_TRUE(settingsText().contains("User=Anna")) << settingsText().toStdString();
}

TEST_F(PlayerChoice, OkDuringARoundEndsItWithTheBoardBlanked)
{
    folder.writePlayers({{"Anna", 10, 1}});
    startAs("Anna");
    main().applyMode(TfrmMain::Mode::RoundInPlay);
    ASSERT_TRUE(main().letterButton(1)->isEnabled());
    withPlayerDialog([](TfrmJatekosok& players) { pressOk(players); });
    EXPECT_FALSE(main().letterButton(1)->isEnabled());
    EXPECT_FALSE(main().tbSzabad->isEnabled());
    EXPECT_TRUE(main().tbUj->isEnabled());
    EXPECT_EQ(main().cell(1)->caption(), " ");
}

TEST_F(PlayerChoice, OkInTheEditorTakesThePlayerAndLeavesTheEditorAlone)
{
    folder.writePlayers({{"Anna", 10, 1}});
    startProgram();
    click(main().tbMod);
    ASSERT_TRUE(main().variables().EditMode);
    withPlayerDialog([](TfrmJatekosok& players) { pressOk(players); });
    EXPECT_EQ(main().lNev->text(), "Anna");
    EXPECT_TRUE(main().tbModOK->isEnabled()) << "the typed puzzle can still be accepted";
    EXPECT_FALSE(main().tbUj->isEnabled()) << "no round starts inside the editor";
}

} // namespace

namespace {

TEST_F(PlayerChoice, TheDialogShowsTheCurrentPlayersGainsOfThisSession)
{
    folder.writePlayers({{"Anna", 100, 4}, {"Bea", 7, 1}});
    folder.writeSettings("[Last]\nUser=Anna\n");
    startProgram();
    // Two rounds played since the start, as the game counts them.
    takeOverFigures(130, 6);
    withPlayerDialog([](TfrmJatekosok& players) {
        EXPECT_EQ(cellText(players, 0, 0), "Anna");
        EXPECT_EQ(cellText(players, 0, 1), "130");
        EXPECT_EQ(cellText(players, 0, 2), "6");
        EXPECT_EQ(cellText(players, 0, 3), "21");
        EXPECT_EQ(cellText(players, 1, 1), "7") << "only the current player's row changes";
        pressCancel(players);
    });
    EXPECT_EQ(main().variables().PlayerTotal, 130);
    exitProgram();
    EXPECT_EQ(folder.readPlayers()[0].OsszPont, 130);
}

} // namespace
