// The first start as a new player meets it: the window says what to do first and points at the player
// button, disabled buttons look disabled, and "Hogyan játsszunk?" opens from F1 and from its button.
#include "game/help_window.h"
#include "players/jatekosok_dialog.h"
#include "players/nev_window.h"
#include "support/window_fixture.h"
#include "ui/flat_button.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

using testing_support::WindowTest;

namespace {

class FirstStart : public WindowTest
{
protected:
    bool guideShown() { return main().lTeendo->isVisible(); }
    // The player button stands out (a raised face) only while nobody is chosen.
    bool playerButtonStandsOut() { return !main().tbJatekos->autoRaise(); }
};

TEST_F(FirstStart, WithNoPlayerTheWindowSaysWhatToDoUntilAPlayerIsChosen)
{
    startProgram();
    EXPECT_TRUE(guideShown());
    EXPECT_TRUE(main().lTeendo->text().contains(QStringLiteral("Játékos váltása")));
    EXPECT_TRUE(playerButtonStandsOut());
    EXPECT_FALSE(main().tbUj->isEnabled());

    modals.expectDialog<TfrmJatekosok>([this](TfrmJatekosok& players) {
        modals.expectDialog<TfrmNev>([](TfrmNev& entry) {
            testing_support::typeText(entry.eNev, QStringLiteral("Anna"));
            QTest::keyClick(entry.eNev, Qt::Key_Return);
        });
        click(players.sbUj);
        click(players.btOK);
    });
    click(main().tbJatekos);
    EXPECT_EQ(main().variables().PlayerName, "Anna");
    EXPECT_FALSE(guideShown());
    EXPECT_FALSE(playerButtonStandsOut());

    // The current player deleted: no player again, and the window says so again.
    modals.expectDialog<TfrmJatekosok>([this](TfrmJatekosok& players) {
        modals.expectMessage(QMessageBox::Yes);
        click(players.sbDel);
        click(players.btCancel);
    });
    click(main().tbJatekos);
    EXPECT_TRUE(main().variables().PlayerName.empty());
    EXPECT_TRUE(guideShown());
    EXPECT_TRUE(playerButtonStandsOut());
}

TEST_F(FirstStart, ARestoredPlayerNeedsNoGuide)
{
    folder.writePlayers({{"Bea", 10, 1}});
    startAs("Bea");
    EXPECT_FALSE(guideShown());
    EXPECT_FALSE(playerButtonStandsOut());
}

// Summed opacity and colourfulness of a picture.
struct PictureInk
{
    double alpha = 0;
    double saturation = 0;
};
PictureInk inkOf(const QPixmap& pixmap)
{
    PictureInk ink;
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            ink.alpha += colour.alphaF();
            ink.saturation += colour.alphaF() * colour.hsvSaturationF();
        }
    }
    return ink;
}

TEST_F(FirstStart, DisabledToolbarButtonsLookDisabled)
{
    startProgram();
    for (QToolButton* button :
         {main().tbUj, main().tbInfo, main().tbMaganh, main().tbSzabad, main().tbModOK, main().tbModCancel}) {
        SCOPED_TRACE(button->objectName().toStdString());
        ASSERT_FALSE(button->isEnabled());
        const PictureInk normal = inkOf(button->icon().pixmap(button->iconSize(), QIcon::Normal));
        const PictureInk disabled = inkOf(button->icon().pixmap(button->iconSize(), QIcon::Disabled));
        ASSERT_GT(normal.alpha, 0);
        EXPECT_LT(disabled.alpha, 0.5 * normal.alpha) << "faded";
        EXPECT_LT(disabled.saturation, 0.01 * normal.alpha) << "grey";
    }
}

TEST_F(FirstStart, HelpOpensFromF1AndItsButtonAndReadsFromTheKeyboard)
{
    startProgram();
    main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    QString page;
    modals.expectDialog<TfrmHogyan>([&page](TfrmHogyan& help) {
        EXPECT_EQ(help.windowTitle(), QStringLiteral("Hogyan játsszunk?"));
        EXPECT_TRUE(help.eSzoveg->hasFocus() || help.focusWidget() == help.eSzoveg);
        page = help.eSzoveg->toPlainText();
        QTest::keyClick(&help, Qt::Key_Escape);
    });
    QTest::keyClick(&main(), Qt::Key_F1);
    EXPECT_EQ(modals.pending(), 0) << "F1 opened no help";

    // The levels' scores as a table, the helps, keyboard play and the editor.
    for (const char* expected : {"GYEREK", "KEZDŐ", "KÖZEPES", "HALADÓ", "Szabad a gazda", "Magánhangzók",
                                 "Ctrl+N", "Ctrl+Enter", "Új név"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(page.contains(QStringLiteral("HALADÓ\n5\n-2\n-20\n-10"))) << page.toStdString();

    modals.expectDialog<TfrmHogyan>([](TfrmHogyan& help) { click(help.btBezar); });
    click(main().tbHogyan);
    EXPECT_EQ(main().tbHogyan->toolTip().section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("Hogyan játsszunk?"));
}

} // namespace
