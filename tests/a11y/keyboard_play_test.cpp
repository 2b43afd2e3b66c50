// Keyboard play: off by default, when keys leave a round alone; turned on in the settings, typed letters
// press their buttons and the toolbar answers to shortcuts that follow its enabling.
#include "accessibility_fixture.h"

#include "players/beallitas_dialog.h"

#include <QCheckBox>

using namespace round_testing;
using namespace a11y_testing;

namespace {

class KeyboardPlay : public RoundTest
{
protected:
    void startKeyboardRound(const std::string& puzzle, const std::string& hint = "")
    {
        startWith({{puzzle, 1, hint, "", 1, 1}}, 1, "MaxHiba=5\nKeyboardPlay=1");
        activate();
        ctrl(Qt::Key_N);
        ASSERT_TRUE(main().tbSzabad->isEnabled()) << "Ctrl+N drew no puzzle";
    }
    void activate()
    {
        main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    }
    void ctrl(Qt::Key key) { QTest::keyClick(&main(), key, Qt::ControlModifier); }
    void type(const QString& text) { testing_support::typeText(&main(), text); }
};

TEST_F(KeyboardPlay, IsOffByDefaultAndThenKeysDoNothing)
{
    startWith({{"ALMA"}});
    activate();
    EXPECT_FALSE(main().keyboardPlay());
    EXPECT_EQ(main().tbUj->toolTip(), "Kérek egy új feladatot");
    ctrl(Qt::Key_N);
    EXPECT_FALSE(main().tbSzabad->isEnabled()) << "a shortcut drew a puzzle";
    draw();
    type("alma");
    EXPECT_EQ(seenRow(1), "####         ");
    EXPECT_TRUE(letterEnabled('A'));
    ctrl(Qt::Key_G);
    EXPECT_TRUE(main().tbSzabad->isEnabled()) << "a shortcut gave up";
}

TEST_F(KeyboardPlay, TheSettingsCheckBoxTurnsItOnAndIsSaved)
{
    startWith({{"ALMA"}});
    withDialog<TfrmBeallitas>(main().tbBeallitas, [](TfrmBeallitas& dialog) {
        EXPECT_FALSE(dialog.cbBillentyu->isChecked());
        testing_support::clickMark(dialog.cbBillentyu);
        click(dialog.btOK);
    });
    EXPECT_TRUE(main().keyboardPlay());
    EXPECT_TRUE(folder.settingsText().contains("KeyboardPlay=1")) << folder.settingsText().toStdString();
    // The tool tip's first line stays the button's name; the keys follow it.
    EXPECT_EQ(main().tbUj->toolTip(), "Kérek egy új feladatot\nCtrl+N");
    EXPECT_EQ(main().tbJatekos->toolTip(), "Játékos váltása\nés a játékmenet beállítása\nCtrl+J");
    EXPECT_EQ(nameOf(main().tbUj), "Kérek egy új feladatot");

    withDialog<TfrmBeallitas>(main().tbBeallitas, [](TfrmBeallitas& dialog) {
        EXPECT_TRUE(dialog.cbBillentyu->isChecked());
        testing_support::clickMark(dialog.cbBillentyu);
        click(dialog.btOK);
    });
    EXPECT_FALSE(main().keyboardPlay());
    EXPECT_EQ(main().tbUj->toolTip(), "Kérek egy új feladatot");
    EXPECT_TRUE(folder.settingsText().contains("KeyboardPlay=0"));
}

TEST_F(KeyboardPlay, ARoundPlayedByKeysAlone)
{
    startKeyboardRound("KV\xCDZ \xD5Z", "Kerek"); // "KVÍZ ŐZ"
    TfrmMain& w = main();
    type("k");
    EXPECT_EQ(seenRow(1), "K### ##      ");
    EXPECT_EQ(w.round().RoundScore(), 10);
    type("K"); // used: nothing, not even a mistake
    EXPECT_EQ(w.round().RoundScore(), 10);
    EXPECT_EQ(w.eHiba->position(), 0);
    type("í"); // an accented letter of a Hungarian layout
    EXPECT_EQ(seenRow(1), "K#\xCD# ##      ");
    type("x");
    EXPECT_EQ(w.eHiba->position(), 1);
    ctrl(Qt::Key_H);
    EXPECT_EQ(w.eSugo1->text(), "Kerek");
    EXPECT_FALSE(w.tbInfo->isEnabled());
    ctrl(Qt::Key_N); // disabled during a round: its shortcut does nothing
    EXPECT_EQ(w.variables().PlayerRounds, 5);
    type("VŐ");
    expectResult<TfrmGratulalok>();
    type("z");
    EXPECT_EQ(modals.pending(), 0);
    EXPECT_EQ(seenRow(1), "KV\xCDZ \xD5Z      ");
}

TEST_F(KeyboardPlay, ResultWindowsCloseFromTheKeyboardOnlyWhenItIsOn)
{
    startWith({{"ALMA"}});
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on);
        main().setKeyboardPlay(on);
        modals.expectDialog<TfrmGratulalok>([on](TfrmGratulalok& shown) {
            shown.setResult(-1);
            for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space}) {
                QTest::keyClick(&shown, key);
                EXPECT_EQ(shown.result(), on ? QDialog::Accepted : -1) << key;
                shown.setResult(-1);
            }
            click(shown.CoolButton1);
        });
        draw();
        pressAll("ALM");
        EXPECT_EQ(modals.pending(), 0);
    }
}

TEST_F(KeyboardPlay, GivingUpAndTheOtherShortcutsFollowTheModes)
{
    startKeyboardRound("ALMA");
    ctrl(Qt::Key_M);
    EXPECT_EQ(seenRow(1), "A##A         ");
    expectResult<TfrmSzabad>();
    ctrl(Qt::Key_G);
    EXPECT_EQ(modals.pending(), 0);
    EXPECT_FALSE(main().tbSzabad->isEnabled());
    type("l"); // the round is over: no letter is usable
    // The given-up board shows the answer once its window closes; the typed letter changed nothing.
    EXPECT_EQ(seenRow(1), "ALMA         ");
    EXPECT_EQ(main().round().RoundScore(), -5);
    modals.expectDialog<TfrmBeallitas>([](TfrmBeallitas& dialog) { dialog.reject(); });
    ctrl(Qt::Key_Comma);
    EXPECT_EQ(modals.pending(), 0);
}

} // namespace
