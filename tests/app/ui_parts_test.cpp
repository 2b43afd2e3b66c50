// The pieces the windows are built from: gauge, error text, board cell presses and hidden letters, centring,
// the key-release guard. (The status texts are checked where the player dialog sets them.)
#include "support/window_fixture.h"

#include "ui/board_cell.h"
#include "ui/centre.h"
#include "ui/error_box.h"
#include "ui/fonts.h"
#include "ui/gauge.h"
#include "ui/key_release_guard.h"
#include "ui/text.h"

#include <QFile>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>

namespace {

TEST(Gauge, PositionStaysWithinZeroAndTheMaximum)
{
    testing_support::application();
    ui::Gauge gauge;
    EXPECT_EQ(gauge.maximum(), 10);
    gauge.setPosition(15);
    EXPECT_EQ(gauge.position(), 10);
    gauge.setPosition(-2);
    EXPECT_EQ(gauge.position(), 0);
    gauge.setPosition(8);
    gauge.setMaximum(5); // lowering the maximum pulls the position down
    EXPECT_EQ(gauge.position(), 5);
    gauge.setMaximum(20);
    EXPECT_EQ(gauge.position(), 5);
}

// The fonts folder the Windows game carries: every real font loads; what is not one, or not a .ttf, is passed
// over; a missing folder loads nothing.
TEST(Fonts, FontsBesideTheProgramAreLoadedAndTheRestPassedOver)
{
    testing_support::application();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QFile::copy(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"),
                            folder.filePath(QStringLiteral("DejaVuSans-Bold.ttf"))));
    for (const char* name : {"broken.ttf", "readme.txt"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a font");
    }
    EXPECT_EQ(ui::loadFontsFrom(folder.path()), 1);
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")));
    EXPECT_EQ(ui::loadFontsFrom(folder.filePath(QStringLiteral("nincs"))), 0);
    // Fontconfig keeps what an application font made until it is removed: the later tests must not see it.
    QFontDatabase::removeAllApplicationFonts();
}

TEST(ErrorBox, FullStopIsAppendedOnlyAfterCharactersThatSortAfterIt)
{
    EXPECT_EQ(ui::errorBoxText("Stream read error"), "Stream read error.");
    EXPECT_EQ(ui::errorBoxText("Already ended."), "Already ended.");
    EXPECT_EQ(ui::errorBoxText("Really!"), "Really!"); // '!' sorts before '.'
    EXPECT_EQ(ui::errorBoxText("Cannot open file /a/b"), "Cannot open file /a/b.");
    EXPECT_EQ(ui::errorBoxText("Hib\xE1"), "Hib\xE1."); // accented letters sort after it too
    EXPECT_EQ(ui::errorBoxText(""), "");
}

TEST(ErrorBox, StorageMessagesInUtf8AndGameTextsInWindows1250BothReadRight)
{
    EXPECT_EQ(ui::errorMessageText("Field 'N\xC3\xA9v' must have a value"),
              QStringLiteral("Field 'Név' must have a value"));
    EXPECT_EQ(ui::errorMessageText("Cannot open file /home/j\xC3\xB3zsef/Brumvelda.lis."),
              QStringLiteral("Cannot open file /home/józsef/Brumvelda.lis."));
    EXPECT_EQ(ui::errorMessageText("Field 'N\xE9v' must have a value"),
              QStringLiteral("Field 'Név' must have a value"));
}

TEST(BoardCell, PressReportsButtonModifiersAndDoubleClick)
{
    testing_support::application();
    ui::BoardCell cell(7);
    cell.resize(40, 40);
    cell.show();
    QSignalSpy spy(&cell, &ui::BoardCell::mousePressed);
    QTest::mousePress(&cell, Qt::RightButton, Qt::ShiftModifier);
    QTest::mouseRelease(&cell, Qt::RightButton, Qt::ShiftModifier);
    QTest::mouseDClick(&cell, Qt::LeftButton);
    ASSERT_GE(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(spy.at(0).at(1).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_FALSE(spy.at(0).at(2).toBool());
    EXPECT_TRUE(spy.last().at(2).toBool());
}

// A cell hides its letter from when it is told to until it is told to show it; no colour it is given
// meanwhile makes it say the letter.
TEST(BoardCell, SaysAHiddenLetterOnlyOnceRevealed)
{
    testing_support::application();
    const QColor yellow(255, 255, 0), teal(0, 128, 128), plain(192, 220, 192), red(200, 0, 0);
    ui::BoardCell cell(16);
    cell.setBoardPlace(2, 3);
    struct Step
    {
        const char* says;
        std::function<void()> does;
        QString spoken;
        bool hides;
    };
    const QString place = QStringLiteral(", 2. sor 3. oszlop");
    const Step steps[] = {
        {"hidden", [&] { cell.hideLetter(QStringLiteral("Ő"), yellow); }, "Rejtett betű" + place, true},
        {"its letter recoloured", [&] { cell.setTextColour(teal); }, "Rejtett betű" + place, true},
        {"its box recoloured", [&] { cell.setBackground(plain); }, "Rejtett betű" + place, true},
        {"revealed", [&] { cell.revealLetter(red); }, "Ő betű" + place, false},
        {"hidden again", [&] { cell.hideLetter(QStringLiteral("K"), yellow); }, "Rejtett betű" + place, true},
        {"a sign laid over it", [&] { cell.setLook(QStringLiteral(","), plain, teal); }, "Vessző" + place,
         false},
        {"hidden, then blanked",
         [&] {
             cell.hideLetter(QStringLiteral("K"), yellow);
             cell.setLook(QStringLiteral(" "), plain, teal);
         },
         "Üres mező" + place, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.says);
        step.does();
        EXPECT_EQ(cell.spokenName(), step.spoken);
        EXPECT_EQ(cell.hidesLetter(), step.hides);
        EXPECT_EQ(cell.shows() == ui::BoardCell::Shows::HiddenLetter, step.hides);
    }
}

TEST(BoardCell, AHiddenCellIsTheSameBareBoxWhateverItHidesAndWhateverItsTextColour)
{
    testing_support::application();
    const QColor yellow(255, 255, 0);
    auto drawn = [&](const QString& letter, const QColor& textColour) {
        ui::BoardCell cell(1);
        cell.resize(40, 40);
        cell.hideLetter(letter, yellow);
        cell.setTextColour(textColour);
        return cell.grab().toImage();
    };
    const QImage box = drawn(QStringLiteral(" "), yellow);
    for (const QString& letter : {QStringLiteral("A"), QStringLiteral("Ő"), QStringLiteral("W")}) {
        EXPECT_EQ(drawn(letter, yellow), box) << letter.toStdString();
        EXPECT_EQ(drawn(letter, QColor(0, 128, 128)), box) << letter.toStdString();
    }

    ui::BoardCell shown(1);
    shown.resize(40, 40);
    shown.hideLetter(QStringLiteral("W"), yellow);
    shown.revealLetter(QColor(0, 128, 128));
    EXPECT_NE(shown.grab().toImage(), box);
}

TEST(CentreOnDesktop, LeavesHalfTheSpareRoomOnEachSideTheOddPixelRightAndBelow)
{
    testing_support::application();
    for (const QSize size : {QSize(537, 522), QSize(399, 298), QSize(308, 28), QSize(611, 393)}) {
        QWidget window;
        window.setFixedSize(size);
        ui::centreOnDesktop(window);
        const QRect desktop = window.screen()->availableGeometry();
        const QRect placed = window.frameGeometry();
        const int left = placed.left() - desktop.left(), right = desktop.right() - placed.right();
        const int above = placed.top() - desktop.top(), below = desktop.bottom() - placed.bottom();
        EXPECT_TRUE(right == left || right == left + 1) << left << ' ' << right;
        EXPECT_TRUE(below == above || below == above + 1) << above << ' ' << below;
    }
}

TEST(KeyReleaseGuard, OnlyTheReleaseOfTheKeyPressedLastActsAndOnlyOnce)
{
    // A script of key events: '+' a press, '-' a release, '*' a held key's repeat (a press and a release),
    // '0' the window shown afresh; then the key, E for Enter, S for Esc, A for a letter. `acts` holds one
    // character per release: 'y' when it acts, 'n' when it does not.
    struct Row
    {
        const char* why;
        const char* script;
        const char* acts;
    } const rows[] = {
        {"its own press", "+E -E", "y"},
        {"the Enter that closed another window", "-E", "n"},
        {"used up by its first release", "+E -E -E", "yn"},
        {"another key pressed meanwhile", "+E +A -E -A", "ny"},
        {"another key's release", "+E -S -E", "ny"},
        {"a held key repeats", "+E *E *E -E", "nny"},
        {"the window shown again", "+E 0 -E", "n"},
    };
    const auto keyOf = [](char c) {
        return c == 'E' ? Qt::Key_Return : c == 'S' ? Qt::Key_Escape : Qt::Key_A;
    };
    for (const Row& row : rows) {
        ui::KeyReleaseGuard guard;
        std::string acts;
        for (const QString& step : QString::fromLatin1(row.script).split(u' ')) {
            const char kind = step.at(0).toLatin1();
            if (kind == '0') {
                guard.forget();
                continue;
            }
            const int key = keyOf(step.at(1).toLatin1());
            const bool repeat = kind == '*';
            if (kind == '+' || repeat)
                guard.pressed(QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString(), repeat));
            if (kind == '-' || repeat)
                acts += guard.released(QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, QString(), repeat))
                    ? 'y'
                    : 'n';
        }
        EXPECT_EQ(acts, row.acts) << row.why;
    }
}

} // namespace
