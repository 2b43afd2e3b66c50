// The pieces the windows are built from: gauge, error text, board cell presses. (The status texts are
// checked where the player dialog sets them.)
#include "support/window_fixture.h"

#include "ui/board_cell.h"
#include "ui/error_box.h"
#include "ui/gauge.h"
#include "ui/text.h"

#include <QSignalSpy>

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

} // namespace
