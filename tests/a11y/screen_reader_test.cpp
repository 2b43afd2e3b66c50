// A blind player's game: what the game says by itself through its notification, what a letter button and a
// cell say, keyboard play switched on by a screen reader, and the keyboard's way through the toolbar, the
// board and the player dialog.
#include "accessibility_fixture.h"

#include "players/jatekosok_dialog.h"
#include "players/nev_window.h"
#include "ui/announcer.h"
#include "ui/board_cell.h"
#include "ui/flat_button.h"

#include <QFrame>
#include <QKeyEvent>
#include <QTableView>

using namespace round_testing;
using namespace a11y_testing;

namespace {

class ScreenReader : public RoundTest
{
protected:
    void TearDown() override
    {
        QAccessible::setActive(false);
        RoundTest::TearDown();
    }
    QString announced()
    {
        auto* announcer = main().findChild<ui::Announcer*>();
        announcer->flush();
        return nameOf(announcer);
    }
    void activate()
    {
        main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &main(), k, modifiers);
    }
};

// The notification sits in the status bar, where Orca speaks it whole without naming its role.
TEST_F(ScreenReader, AnnouncementsAreANotificationInTheStatusBar)
{
    startWith({{"ALMA"}});
    auto* announcer = main().findChild<ui::Announcer*>();
    ASSERT_NE(announcer, nullptr);
    EXPECT_EQ(accessible(announcer)->role(), QAccessible::Notification);
    EXPECT_EQ(accessible(announcer->parentWidget())->role(), QAccessible::StatusBar);
    EXPECT_EQ(accessible(main().Toolbar971)->role(), QAccessible::ToolBar);
    // Frames are windows to Orca: neither the toolbar nor its separator lines may read as one.
    int separators = 0;
    for (QFrame* line : main().Toolbar971->findChildren<QFrame*>()) {
        if (line->frameShape() == QFrame::VLine) {
            EXPECT_EQ(accessible(line)->role(), QAccessible::Separator);
            ++separators;
        }
    }
    EXPECT_GT(separators, 0);

    // Said twice, spoken twice: each announcement shows the notification anew.
    EXPECT_FALSE(announcer->isVisible());
    announcer->say(QStringLiteral("egy"));
    announcer->say(QStringLiteral("kettő"));
    EXPECT_FALSE(announcer->isVisible()) << "shown before the moment's changes are taken in";
    announcer->flush();
    EXPECT_TRUE(announcer->isVisible());
    EXPECT_EQ(nameOf(announcer), "egy kettő");
}

// Hidden until the first puzzle, the category is nevertheless never "invisible" to assistive tools (which
// would keep that state); it is only silent.
TEST_F(ScreenReader, TheCategoryIsThereForReviewBeforeItShows)
{
    startWith({{"ALMA"}});
    QAccessibleInterface* category = accessible(main().lKategoria);
    EXPECT_FALSE(main().lKategoria->isVisible());
    EXPECT_FALSE(category->state().invisible);
    EXPECT_EQ(category->text(QAccessible::Name), QString());
    draw();
    EXPECT_FALSE(category->state().invisible);
    EXPECT_EQ(category->text(QAccessible::Name), QStringLiteral("Tárgy"));
}

TEST_F(ScreenReader, AUsedLetterSaysSoAndTypingItAgainIsAnswered)
{
    startWith({{"ALMA"}}, 1, "KeyboardPlay=1");
    activate();
    draw();
    ui::FlatButton* a = main().letterButton(1);
    EXPECT_EQ(nameOf(a), "A");
    press('A');
    EXPECT_EQ(nameOf(a), "A, már tippelt");
    announced();
    QTest::keyClick(&main(), Qt::Key_A);
    EXPECT_EQ(announced(), "A, már tippelt.");
    // An English round offers no accented letter, and says why.
    endProgram();
    startWith({{"APPLE", 2}}, 1, "KeyboardPlay=1", 2);
    draw();
    EXPECT_EQ(nameOf(main().letterButton(2)), "Á, ebben a körben nem játszik");
    EXPECT_EQ(nameOf(main().letterButton(1)), "A");
}

TEST_F(ScreenReader, KeyboardPlayFollowsAScreenReaderUnlessChosen)
{
    struct Row
    {
        const char* says;
        std::string settings;
        bool screenReader;
        bool on;
    };
    for (const Row& row : {Row {"no screen reader: off", "", false, false},
                           Row {"a screen reader at start: on", "", true, true},
                           Row {"turned off in the settings: stays off", "KeyboardPlay=0", true, false},
                           Row {"turned on in the settings", "KeyboardPlay=1", false, true}}) {
        SCOPED_TRACE(row.says);
        screenReaderAtStart = row.screenReader;
        startWith({{"ALMA"}}, 1, row.settings);
        EXPECT_EQ(main().keyboardPlay(), row.on);
        endProgram();
    }
    // A screen reader that connects later switches it on too.
    screenReaderAtStart = false;
    startWith({{"ALMA"}});
    EXPECT_FALSE(main().keyboardPlay());
    QAccessible::setActive(true);
    EXPECT_TRUE(main().keyboardPlay());
}

TEST_F(ScreenReader, TheBoardIsReadCellByCellWithTheArrowKeys)
{
    startWith({{"ALMA FA"}}, 1, "KeyboardPlay=1");
    activate();
    draw();
    EXPECT_EQ(main().tbJatekos->focusPolicy(), Qt::TabFocus);
    main().cell(1)->setFocus();
    struct Step
    {
        Qt::Key key;
        int cell;
    };
    for (const Step& step : {Step {Qt::Key_Right, 2}, Step {Qt::Key_Down, 15}, Step {Qt::Key_Down, 28},
                             Step {Qt::Key_Down, 28}, Step {Qt::Key_End, 39}, Step {Qt::Key_Right, 39},
                             Step {Qt::Key_Home, 27}, Step {Qt::Key_Left, 27}, Step {Qt::Key_Up, 14}}) {
        key(step.key);
        EXPECT_EQ(QApplication::focusWidget(), main().cell(step.cell)) << "cell " << step.cell;
    }
    // Letters typed on the board still play.
    main().cell(1)->setFocus();
    QTest::keyClick(main().cell(1), Qt::Key_A);
    EXPECT_FALSE(letterEnabled('A'));
}

TEST_F(ScreenReader, ThePlayerDialogIsWalkedByTabAndEnterPressesAFocusedButton)
{
    startWith({{"ALMA"}}, 1, "KeyboardPlay=1");
    TfrmJatekosok& dialog = *windows.frmJatekosok;
    withDialog<TfrmJatekosok>(main().tbJatekos, [&](TfrmJatekosok& shown) {
        EXPECT_EQ(shown.focusWidget(), shown.gJatekos);
        std::vector<QWidget*> order;
        for (QWidget* w = shown.gJatekos->nextInFocusChain(); w != shown.gJatekos && order.size() < 40;
             w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                order.push_back(w);
        ASSERT_GE(order.size(), 3u);
        EXPECT_EQ(order[0], shown.sbUj);
        EXPECT_EQ(order[1], shown.sbMod);
        EXPECT_EQ(order[2], shown.sbDel);
        modals.expectDialog<TfrmNev>([](TfrmNev& entry) { entry.reject(); });
        // Sent to the button itself, as to the focused widget (the test's window is never active).
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(shown.sbUj, &enter);
        EXPECT_TRUE(shown.isVisible()) << "Enter on Új név closed the dialog";
        EXPECT_EQ(shown.focusWidget(), shown.gJatekos) << "back on the register after the name";
        shown.reject();
    });
    (void)dialog;
}

// A hidden register that reloads was read out by Orca as if it were still focused.
TEST_F(ScreenReader, TheHiddenRegisterIsNotReloadedUntilItShows)
{
    startWith({{"ALMA"}});
    TfrmJatekosok& dialog = *windows.frmJatekosok;
    withDialog<TfrmJatekosok>(main().tbJatekos, [](TfrmJatekosok& shown) { shown.reject(); });
    int resets = 0;
    QObject::connect(dialog.gJatekos->model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    draw();
    press('A');
    press('L');
    expectResult<TfrmGratulalok>();
    press('M');
    EXPECT_EQ(resets, 0);
    withDialog<TfrmJatekosok>(main().tbJatekos, [&](TfrmJatekosok& shown) {
        EXPECT_EQ(resets, 1);
        EXPECT_EQ(shown.gJatekos->model()->index(0, 1).data().toInt(), main().variables().PlayerTotal);
        shown.reject();
    });
}

} // namespace
