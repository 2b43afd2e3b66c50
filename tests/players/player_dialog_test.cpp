// The register in the player dialog: adding, renaming and deleting players, sorting by title, the average,
// and the name entry's keys and checks.
#include "players_fixture.h"

namespace {

using players_testing::PlayersTest;
using testing_support::choose;
using testing_support::clickMark;
using testing_support::PlayerRow;

class PlayerRegisterDialog : public PlayersTest
{
};

TEST_F(PlayerRegisterDialog, AverageTruncatesTowardZeroAndIsZeroWithoutRounds)
{
    folder.writePlayers({{"Anna", -7, 2}, {"Bea", 25, 4}, {"Cili", 5, 0}});
    startProgram();
    EXPECT_EQ(names(dialog()), QStringList({"Anna", "Bea", "Cili"}));
    EXPECT_EQ(cellText(dialog(), 0, 3), "-3");
    EXPECT_EQ(cellText(dialog(), 1, 3), "6");
    EXPECT_EQ(cellText(dialog(), 2, 3), "0");
    EXPECT_EQ(cellText(dialog(), 0, 1), "-7");
    EXPECT_EQ(dialog().dsJatekos->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Átlag pontszám"));
}

TEST_F(PlayerRegisterDialog, TitleClicksSortAndTheSelectedPlayerStaysSelected)
{
    folder.writePlayers({{"Dani", 40, 1}, {"Anna", 10, 9}, {"Cili", 90, 5}, {"Bea", 20, 3}});
    startProgram();
    withPlayerDialog([this](TfrmJatekosok& players) {
        clickPlayer(players, "Bea");
        clickTitle(players, 1); // Összes pontszám: highest first
        EXPECT_EQ(names(players), QStringList({"Cili", "Dani", "Bea", "Anna"}));
        EXPECT_EQ(selectedName(players), "Bea");
        EXPECT_EQ(main().playerRegister().table().asString(storage::player::Nev), "Bea");

        clickTitle(players, 3); // Átlag pontszám: the order stays
        EXPECT_EQ(names(players), QStringList({"Cili", "Dani", "Bea", "Anna"}));

        clickTitle(players, 2); // Játszott menetek: fewest first
        EXPECT_EQ(names(players), QStringList({"Dani", "Bea", "Cili", "Anna"}));
        EXPECT_EQ(selectedName(players), "Bea");

        clickTitle(players, 0);
        EXPECT_EQ(names(players), QStringList({"Anna", "Bea", "Cili", "Dani"}));
        EXPECT_EQ(selectedName(players), "Bea");
        pressCancel(players);
    });
}

TEST_F(PlayerRegisterDialog, NewNameTakesItsPlaceInTheOrderAndIsSelected)
{
    folder.writePlayers({{"Anna", 10, 1}, {"Cili", 30, 3}});
    startProgram();
    withPlayerDialog([this](TfrmJatekosok& players) {
        expectNameEntry(QStringLiteral("Bea"));
        click(players.sbUj);
        EXPECT_EQ(names(players), QStringList({"Anna", "Bea", "Cili"}));
        EXPECT_EQ(selectedName(players), "Bea");
        EXPECT_EQ(cellText(players, 1, 1), "0");
        EXPECT_EQ(cellText(players, 1, 2), "0");

        expectNameEntry(QStringLiteral("Zoé"), Qt::Key_Escape);
        click(players.sbUj);
        EXPECT_EQ(names(players), QStringList({"Anna", "Bea", "Cili"})) << "Esc adds nobody";
        pressCancel(players);
    });
    exitProgram();
    const auto stored = folder.readPlayers();
    ASSERT_EQ(stored.size(), 3u) << "changes to the register stay after Cancel";
    EXPECT_EQ(stored[1].Nev, "Bea");
}

TEST_F(PlayerRegisterDialog, RenameWithEnterChangesTheNameAndEscKeepsIt)
{
    folder.writePlayers({{"Anna", 10, 1}, {"Bea", 20, 2}});
    startProgram();
    withPlayerDialog([this](TfrmJatekosok& players) {
        clickPlayer(players, "Anna");
        modals.expect([](QDialog& shown) {
            auto& entry = static_cast<TfrmNev&>(shown);
            EXPECT_EQ(entry.eNev->text(), "Anna") << "the entry shows the current name";
            QTest::keyClicks(entry.eNev, "x");
            QTest::keyClick(entry.eNev, Qt::Key_Escape);
        });
        click(players.sbMod);
        EXPECT_EQ(names(players), QStringList({"Anna", "Bea"}));

        expectNameEntry(QStringLiteral("Zsófi"));
        click(players.sbMod);
        EXPECT_EQ(names(players), QStringList({"Bea", "Zsófi"}));
        EXPECT_EQ(selectedName(players), QStringLiteral("Zsófi"));
        pressCancel(players);
    });
    exitProgram();
    const auto stored = folder.readPlayers();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].Nev,
              "Zs\xF3"
              "fi");
    EXPECT_EQ(stored[1].OsszPont, 10) << "only the name changes";
}

TEST_F(PlayerRegisterDialog, DeleteAsksAndOnlyYesDeletes)
{
    folder.writePlayers({{"Anna", 10, 1}, {"Bea", 20, 2}, {"Cili", 30, 3}});
    startProgram();
    withPlayerDialog([this](TfrmJatekosok& players) {
        clickPlayer(players, "Bea");
        modals.expectMessage(QMessageBox::No);
        click(players.sbDel);
        EXPECT_EQ(names(players).size(), 3);

        modals.expectMessage(QMessageBox::Yes);
        click(players.sbDel);
        EXPECT_EQ(names(players), QStringList({"Anna", "Cili"}));

        // Ctrl+Delete in the grid asks the grid's own question.
        modals.expectMessage(QMessageBox::Yes);
        QTest::keyClick(players.gJatekos, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(names(players).size(), 1);
        pressCancel(players);
    });
    EXPECT_EQ(modals.messages(), std::vector<QString>({"Biztos törli?", "Biztos törli?", "Delete record?"}));
    EXPECT_EQ(modals.titles().front(), "Brumvelda");
}

TEST_F(PlayerRegisterDialog, ModifyAndDeleteOnAnEmptyRegisterDoNothingAndShowNothing)
{
    startProgram();
    withPlayerDialog([this](TfrmJatekosok& players) {
        click(players.sbMod);
        click(players.sbDel);
        QTest::keyClick(players.gJatekos, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_TRUE(main().playerRegister().table().isEmpty());
        pressCancel(players);
    });
    // The script fails on any modal window it did not expect.
}

TEST_F(PlayerRegisterDialog, TypingInTheGridNeverChangesTheRegister)
{
    folder.writePlayers({{"Anna", 10, 1}});
    startProgram();
    withPlayerDialog([this](TfrmJatekosok& players) {
        players.gJatekos->setFocus();
        QTest::keyClicks(players.gJatekos, "Bob");
        QTest::keyClick(players.gJatekos, Qt::Key_Insert);
        QTest::keyClick(players.gJatekos, Qt::Key_Down);
        QTest::keyClick(players.gJatekos, Qt::Key_F2);
        EXPECT_EQ(names(players), QStringList({"Anna"}));
        EXPECT_EQ(main().playerRegister().table().state(), storage::TableState::Browse);
        pressCancel(players);
    });
}

TEST_F(PlayerRegisterDialog, BlankNameIsRefusedAndTheEntryStaysOpen)
{
    startProgram();
    withPlayerDialog([this](TfrmJatekosok& players) {
        modals.expect([this](QDialog& shown) {
            auto& entry = static_cast<TfrmNev&>(shown);
            modals.expectMessage();
            QTest::keyClick(entry.eNev, Qt::Key_Return); // untouched: empty
            modals.expectMessage();
            QTest::keyClicks(entry.eNev, "   ");
            QTest::keyClick(entry.eNev, Qt::Key_Return);
            // The release of the Enter that closed the message reaches the entry alone: no new message.
            QTest::keyRelease(entry.eNev, Qt::Key_Return);
            EXPECT_TRUE(entry.isVisible());
            EXPECT_EQ(entry.result(), QDialog::Rejected) << "not closed with OK";
            entry.eNev->clear();
            QTest::keyClicks(entry.eNev, "Bo");
            QTest::keyClick(entry.eNev, Qt::Key_Return);
        });
        click(players.sbUj);
        EXPECT_EQ(names(players), QStringList({"Bo"}));
        pressCancel(players);
    });
    ASSERT_EQ(modals.messages().size(), 2u);
    EXPECT_EQ(modals.messages()[0], QStringLiteral("Adja meg a játékos nevét."));
    EXPECT_EQ(modals.titles()[0], "Brumvelda");
}

TEST_F(PlayerRegisterDialog, NameEntryTakesTwentyStorableCharactersAndActsOnKeyRelease)
{
    startProgram();
    TfrmNev& entry = *windows.frmNev;
    EXPECT_EQ(entry.size(), QSize(308, 28));
    EXPECT_TRUE(entry.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(entry.palette().color(QPalette::Window), QColor(240, 202, 166));

    entry.setName(QString());
    players_testing::typeText(entry.eNev, QStringLiteral("Ωő€Ű"));
    EXPECT_EQ(entry.name(), QStringLiteral("ő€Ű")) << "a character without a Windows-1250 byte is refused";
    QTest::keyClicks(entry.eNev, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ(entry.name().size(), 20);

    // A press alone does not close it; the release does.
    entry.show();
    entry.setResult(QDialog::Rejected);
    QTest::keyPress(entry.eNev, Qt::Key_Return);
    EXPECT_TRUE(entry.isVisible());
    QTest::keyRelease(entry.eNev, Qt::Key_Return);
    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(entry.result(), QDialog::Accepted);
}

} // namespace
