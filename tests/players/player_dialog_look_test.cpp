// The player dialog as a family meets it: its three buttons look like buttons, the name entry tells its
// limit, the delete question names whom it deletes, and all sixteen category boxes show whole.
#include "players_fixture.h"

#include <QLayout>

using namespace players_testing;

namespace {

class PlayerDialogLook : public PlayersTest
{
};

TEST_F(PlayerDialogLook, TheNewRenameAndDeleteButtonsHaveAButtonFace)
{
    startProgram();
    for (ui::FlatButton* button : {dialog().sbUj, dialog().sbMod, dialog().sbDel}) {
        SCOPED_TRACE(button->text().toStdString());
        EXPECT_FALSE(button->autoRaise()) << "a flat button reads as plain text on the panel";
    }
}

TEST_F(PlayerDialogLook, TheDeleteQuestionKeepsItsTextAndNamesThePlayerBelow)
{
    // Two players of one name: the question names the selected one, and only that row goes.
    folder.writePlayers({{"Anna", 10, 1}, {"Bea", 20, 2}, {"Bea", 30, 3}});
    startProgram();
    QString question;
    QString below;
    withPlayerDialog([&](TfrmJatekosok& players) {
        clickRow(players, 2);
        modals.expect([&](QDialog& shown) {
            auto& box = dynamic_cast<QMessageBox&>(shown);
            question = box.text();
            below = box.informativeText();
            box.button(QMessageBox::Yes)->click();
        });
        click(players.sbDel);
        EXPECT_EQ(names(players), QStringList({"Anna", "Bea"}));
        pressCancel(players);
    });
    EXPECT_EQ(question, QStringLiteral("Biztos törli?"));
    EXPECT_EQ(below,
              QStringLiteral("A törlendő játékos: „Bea”\nAz eddigi körei is törlődnek a statisztikából."));
    EXPECT_EQ(folder.readPlayers().size(), 3u) << "the file changes only when the game ends";
}

TEST_F(PlayerDialogLook, TheNameEntryTakesTwentyCharactersAndSaysSo)
{
    startProgram();
    withPlayerDialog([this](TfrmJatekosok& players) {
        modals.expectDialog<TfrmNev>([](TfrmNev& entry) {
            EXPECT_TRUE(entry.eNev->placeholderText().contains(QStringLiteral("20")))
                << entry.eNev->placeholderText().toStdString();
            typeText(entry.eNev, QStringLiteral("Árvíztűrő Tükörfúrógépes"));
            EXPECT_EQ(entry.eNev->text(), QStringLiteral("Árvíztűrő Tükörfúróg")) << "stops as it is typed";
            QTest::keyClick(entry.eNev, Qt::Key_Return);
        });
        click(players.sbUj);
        EXPECT_EQ(names(players), QStringList({QStringLiteral("Árvíztűrő Tükörfúróg")}));
        pressCancel(players);
    });
}

TEST_F(PlayerDialogLook, AllSixteenCategoryBoxesShowWhole)
{
    startProgram();
    withPlayerDialog([](TfrmJatekosok& players) {
        players.cgKat->layout()->activate();
        ASSERT_EQ(players.cgKat->count(), 16);
        for (int i = 0; i < players.cgKat->count(); ++i) {
            QCheckBox* box = players.cgKat->box(i);
            SCOPED_TRACE(box->text().toStdString());
            EXPECT_TRUE(players.cgKat->rect().contains(box->geometry())) << "outside its group";
            EXPECT_GE(box->height(), box->sizeHint().height()) << "squeezed";
        }
        EXPECT_TRUE(players.GroupBox1->rect().contains(players.cgKat->geometry()));
        EXPECT_TRUE(players.Panel1->rect().contains(players.GroupBox1->geometry()));
        EXPECT_EQ(players.Panel1->geometry().bottom(), players.height() - 1);
        EXPECT_EQ(players.gJatekos->geometry().bottom() + 1, players.Panel1->y())
            << "the grid gives the room";
        EXPECT_EQ(players.size(), QSize(611, 393));
        pressCancel(players);
    });
}

} // namespace
