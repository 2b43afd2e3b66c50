// The three result windows: shape, place, texts, pictures and the click that closes them.
#include "round_fixture.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>

using namespace round_testing;

namespace {

class ResultWindows : public RoundTest
{
protected:
    // The three windows with their controls made, as their first showing makes them.
    std::vector<TResultWindow*> all()
    {
        std::vector<TResultWindow*> made {windows.frmGratulalok, windows.frmSajnos, windows.frmSzabad};
        for (TResultWindow* window : made)
            window->ensureBuilt();
        return made;
    }
};

TEST_F(ResultWindows, AreBorderlessCentredAndCutToTheEllipse)
{
    startProgram();
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    for (TResultWindow* window : all()) {
        SCOPED_TRACE(window->objectName().toStdString());
        EXPECT_EQ(window->size(), QSize(399, 298));
        EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_LE((window->geometry().center() - screenCentre).manhattanLength(), 2);
        const QRegion shape = window->mask();
        EXPECT_TRUE(shape.contains(QPoint(200, 150)));
        EXPECT_TRUE(shape.contains(QPoint(3, 150))); // the ellipse's left end
        EXPECT_TRUE(shape.contains(QPoint(200, 5))); // its top
        EXPECT_FALSE(shape.contains(QPoint(0, 150))); // left of the outline
        EXPECT_FALSE(shape.contains(QPoint(200, 3))); // above it
        for (QPoint corner : {QPoint(2, 6), QPoint(396, 6), QPoint(2, 294), QPoint(396, 294)})
            EXPECT_FALSE(shape.contains(corner)) << corner.x() << "," << corner.y();
        EXPECT_TRUE(shape.contains(QPoint(100, 299)));
        EXPECT_FALSE(shape.contains(QPoint(200, 299)));
    }
}

TEST_F(ResultWindows, AClickAnywhereInsideClosesWithOk)
{
    startProgram();
    for (TResultWindow* window : all()) {
        SCOPED_TRACE(window->objectName().toStdString());
        EXPECT_EQ(window->CoolButton1->geometry(), QRect(0, 0, 401, 297));
        EXPECT_EQ(window->CoolButton1->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_TRUE(window->CoolButton1->text().isEmpty());
        // The texts let the click through to the button beneath them.
        for (QPoint at : {QPoint(200, 120), QPoint(200, 50), QPoint(120, 150), QPoint(200, 240)})
            EXPECT_EQ(window->childAt(at), window->CoolButton1) << at.x() << "," << at.y();
        const ui::ModalRunner user([window](QDialog&) {
            for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
                QTest::keyClick(window, key);
            EXPECT_TRUE(window->isVisible()) << "only a click closes it";
            QTest::mouseClick(window->CoolButton1, Qt::LeftButton, {}, QPoint(120, 60));
        });
        EXPECT_EQ(user.showModal(*window), 1);
        EXPECT_FALSE(window->isVisible());
    }
}

TEST_F(ResultWindows, TitlesAndAnswerLabelsSitWhereTheyBelong)
{
    startProgram();
    struct Expected
    {
        TResultWindow* window;
        QString title;
        QRect titlePlace;
        QRect answerPlace; // empty: none
    };
    const std::vector<Expected> rows = {
        {windows.frmGratulalok, QStringLiteral("GRATULÁLOK!"), {63, 96, 273, 45}, {}},
        {windows.frmSajnos, QStringLiteral("Ez nem jött be!"), {60, 32, 279, 45}, {-1, 192, 401, 97}},
        {windows.frmSzabad, QStringLiteral("Ez nem jött be!"), {60, 32, 279, 45}, {24, 112, 217, 97}},
    };
    for (const Expected& row : rows) {
        SCOPED_TRACE(row.title.toStdString());
        row.window->ensureBuilt(); // as its first showing does
        const ui::ShadowLabel* title = row.window->RxLabel1;
        EXPECT_EQ(title->text(), row.title);
        EXPECT_EQ(title->geometry(), row.titlePlace);
        EXPECT_EQ(title->font().pixelSize(), 32);
        EXPECT_GE(title->font().weight(), QFont::Bold);
        EXPECT_EQ(title->colour(), QColor(255, 255, 0));
        EXPECT_EQ(title->shadowDepth(), 2);
        auto* answer = row.window->findChild<ui::ShadowLabel*>(QStringLiteral("eDuma"));
        if (row.answerPlace.isNull()) {
            EXPECT_EQ(answer, nullptr);
            continue;
        }
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer->geometry(), row.answerPlace);
        EXPECT_EQ(answer->font().pixelSize(), 16);
        EXPECT_EQ(answer->colour(), QColor(255, 255, 255));
        EXPECT_EQ(answer->shadowDepth(), 2);
        EXPECT_TRUE(answer->alignment() & Qt::AlignHCenter);
    }
}

TEST_F(ResultWindows, PicturesAreCompiledInAndFillTheWindow)
{
    startProgram();
    for (const char* name : {":/art/gratulalok.png", ":/art/sajnos.png", ":/art/szabad.png"}) {
        const QImage picture {QString::fromLatin1(name)};
        EXPECT_EQ(picture.size(), QSize(400, 300)) << name;
    }
    QImage seen[3];
    int i = 0;
    for (TResultWindow* window : all()) {
        seen[i] = window->grab().toImage();
        // Not a flat fill: many colours across the picture.
        QSet<QRgb> colours;
        for (int y = 10; y < 290; y += 7)
            for (int x = 10; x < 390; x += 7)
                colours.insert(seen[i].pixel(x, y));
        EXPECT_GT(colours.size(), 100) << window->objectName().toStdString();
        ++i;
    }
    EXPECT_NE(seen[0], seen[1]);
    EXPECT_NE(seen[1], seen[2]);
}

} // namespace
