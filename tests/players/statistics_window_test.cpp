// The statistics window: the current player's figures read as text, the family ranking of each period, the
// chart's rounds and colours, the window with no player, and its opening from the main window.
#include "game/calendar.h"
#include "players/statisztika_window.h"
#include "storage/schemas.h"
#include "support/window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include <set>

using testing_support::WindowTest;
namespace h = storage::history;

namespace {

// Thursday 17 December 2026: its week starts on the 14th, its month on the 1st.
const int32_t Today = game::dayNumber({2026, 12, 17});
const std::vector<std::string> Names = {"Anna", "B\xE9la", "Cili", "Dani"};

players::RoundRecord round(const std::string& name, game::CivilDate date, int32_t outcome, int32_t score,
                           int32_t level = 1, int32_t category = 1, bool hints = false, bool daily = false)
{
    players::RoundRecord r;
    r.name = name;
    r.time = game::localMinutes(date, 18, 0);
    r.text = "ALMA";
    r.language = 1;
    r.level = level;
    r.category = category;
    r.outcome = outcome;
    r.score = score;
    r.hintsBought = hints;
    r.daily = daily;
    return r;
}

// Anna plays this month, partly this week; Cili only this week; Béla only last month, for more points.
std::vector<players::RoundRecord> family()
{
    return {
        round("B\xE9la", {2026, 11, 20}, h::Won, 100),
        round("Anna", {2026, 12, 2}, h::Won, 30, 1, 1),
        round("Anna", {2026, 12, 3}, h::Won, 50, 1, 1, true),
        round("B\xE9la", {2026, 11, 21}, h::Won, 100),
        round("Anna", {2026, 12, 4}, h::Won, 40, 2, 3),
        round("Anna", {2026, 12, 5}, h::Lost, -10, 2, 3),
        round("Anna", {2026, 12, 6}, h::GivenUp, -5, 3, 3, true),
        round("B\xE9la", {2026, 11, 22}, h::Lost, -20),
        round("Anna", {2026, 12, 15}, h::Won, 20, 4, 5, false, true),
        round("Cili", {2026, 12, 15}, h::Won, 40),
        round("Anna", {2026, 12, 16}, h::Abandoned, 5, 4, 5),
        round("Anna", {2026, 12, 16}, h::Won, 25, 4, 5, false, true),
        round("Cili", {2026, 12, 17}, h::Won, 30),
    };
}

QStringList tableRows(const QTableWidget* table)
{
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells << table->item(row, column)->text();
        rows << cells.join(QLatin1Char(' '));
    }
    return rows;
}

class StatisticsWindow : public ::testing::Test
{
protected:
    void open(const std::vector<players::RoundRecord>& rounds, const std::string& player,
              const std::vector<std::string>& names = Names)
    {
        window.showRounds(rounds, names, player, Today);
        window.show();
    }

    QApplication& app = testing_support::application(); // before the window
    TfrmStatisztika window;
};

TEST_F(StatisticsWindow, ShowsThePlayersFiguresAsText)
{
    open(family(), "Anna");
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Statisztika"));
    EXPECT_TRUE(window.lJatekos->text().contains(QStringLiteral("Anna")));
    // Eight rounds, five won; a give-up ended a run of three wins, an abandoned round did not end the last.
    const std::pair<QLabel*, const char*> figures[] = {
        {window.lJatszott, "8"},       {window.lNyert, "5 (62%)"}, {window.lSorozat, "2"},
        {window.lLegjobbSorozat, "3"}, {window.lAtlag, "19"},      {window.lSugo, "2"},
        {window.lFeladott, "1"},       {window.lNapi, "2 nap"},
    };
    for (const auto& [label, text] : figures) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_EQ(label->text(), QString::fromUtf8(text));
        // A screen reader hears what the figure is and its value.
        EXPECT_TRUE(label->accessibleName().endsWith(QStringLiteral(": ") + label->text()))
            << label->accessibleName().toStdString();
        EXPECT_GT(label->accessibleName().size(), label->text().size() + 4);
    }
    EXPECT_EQ(tableRows(window.tSzintek),
              QStringList({QStringLiteral("GYEREK 2 50"), QStringLiteral("KEZDŐ 2 40"),
                           QStringLiteral("KÖZEPES 1 -5"), QStringLiteral("HALADÓ 3 25")}));
    EXPECT_EQ(
        tableRows(window.tKategoriak),
        QStringList({QStringLiteral("Tárgy 2"), QStringLiteral("Hely 3"), QStringLiteral("Közmondás 3")}));

    // Béla's figures, from the same rounds: nothing of Anna's is left over.
    open(family(), "B\xE9la");
    EXPECT_EQ(window.lJatszott->text(), QStringLiteral("3"));
    EXPECT_EQ(window.lNapi->text(), QStringLiteral("0 nap"));
    EXPECT_EQ(tableRows(window.tSzintek).first(), QStringLiteral("GYEREK 3 100"));
    EXPECT_EQ(tableRows(window.tSzintek).last(), QStringLiteral("HALADÓ 0 –"));
    EXPECT_EQ(tableRows(window.tKategoriak), QStringList({QStringLiteral("Tárgy 3")}));
}

TEST_F(StatisticsWindow, RanksTheFamilyByEachPeriodsPoints)
{
    open(family(), "Anna");
    // Place, name, points, rounds, won %; equal points share a place and keep the register's order.
    const QStringList expected[] = {
        {QStringLiteral("1. Cili 70 2 100%"), QStringLiteral("2. Anna 50 3 66%"),
         QStringLiteral("3. Béla 0 0 0%"), QStringLiteral("3. Dani 0 0 0%")},
        {QStringLiteral("1. Anna 155 8 62%"), QStringLiteral("2. Cili 70 2 100%"),
         QStringLiteral("3. Béla 0 0 0%"), QStringLiteral("3. Dani 0 0 0%")},
        {QStringLiteral("1. Béla 180 3 66%"), QStringLiteral("2. Anna 155 8 62%"),
         QStringLiteral("3. Cili 70 2 100%"), QStringLiteral("4. Dani 0 0 0%")},
    };
    for (int period = 0; period < 3; ++period) {
        SCOPED_TRACE(period);
        EXPECT_EQ(tableRows(window.tRangsor[period]), expected[period]);
        EXPECT_EQ(window.pcRangsor->widget(period), window.tRangsor[period]);
    }
}

TEST_F(StatisticsWindow, ChartsTheLast100RoundsInTheirOutcomesColours)
{
    // 130 rounds, two a day, in the four outcomes by turn: the 100-round chart starts at the 31st.
    std::vector<players::RoundRecord> rounds;
    for (int i = 0; i < 130; ++i) {
        players::RoundRecord r
            = round("Anna", game::civilDate(Today - 64 + i / 2), 1 + i % 4, i % 4 == 0 ? 10 : -1);
        r.time += i % 2 == 0 ? -600 : 0;
        rounds.push_back(r);
        rounds.push_back(round("Cili", game::civilDate(Today - 64 + i / 2), h::Won, 7));
    }
    open(rounds, "Anna");
    window.pcLapok->setCurrentIndex(1);
    window.resize(600, 500);
    QCoreApplication::processEvents();

    window.cbGrafikon->setCurrentIndex(TfrmStatisztika::Last100Rounds);
    const std::vector<players::ChartPoint>& points = window.grGrafikon->points();
    ASSERT_EQ(points.size(), 100u);
    int64_t total = 0;
    for (int i = 0; i < 30; ++i)
        total += rounds[size_t(2 * i)].score;
    const int64_t before = total;
    for (size_t k = 0; k < points.size(); ++k) {
        total += rounds[2 * (30 + k)].score;
        EXPECT_EQ(points[k].outcome, rounds[2 * (30 + k)].outcome) << k;
        EXPECT_EQ(points[k].total, total) << k;
    }
    // The 30 rounds before it: 8 wins of 10 points and 22 others of -1; then 25 of each.
    EXPECT_EQ(before, 58);
    EXPECT_EQ(window.grGrafikon->accessibleDescription(),
              QStringLiteral("Az utolsó 100 kör: 100 kör, összpontszám 58-ról 233-ra "
                             "(25 nyert, 25 vesztett, 25 feladott, 25 félbehagyott)."));

    // Each dot is drawn in its outcome's colour, and the four colours differ.
    const QImage picture = window.grGrafikon->grab().toImage();
    std::set<QRgb> colours;
    for (size_t k = 0; k < 4; ++k) {
        const QColor expected = players::TotalChart::outcomeColour(points[k].outcome);
        EXPECT_EQ(picture.pixelColor(window.grGrafikon->pointAt(k).toPoint()), expected) << k;
        colours.insert(expected.rgb());
    }
    EXPECT_EQ(colours.size(), 4u);

    // The last 30 days: today's and the 29 days before, two rounds each.
    window.cbGrafikon->setCurrentIndex(TfrmStatisztika::Last30Days);
    EXPECT_EQ(window.grGrafikon->points().size(), 60u);
    EXPECT_TRUE(window.grGrafikon->accessibleDescription().startsWith(
        QStringLiteral("Az utolsó 30 nap: 60 kör, összpontszám ")));
}

TEST(StatisticsText, SuffixesFollowTheNumbersSound)
{
    const std::pair<int64_t, const char*> cases[] = {
        {0, "0-ról 0-ra"},          {1, "1-ről 1-re"},       {3, "3-ról 3-ra"},
        {10, "10-ről 10-re"},       {20, "20-ról 20-ra"},    {40, "40-ről 40-re"},
        {100, "100-ról 100-ra"},    {120, "120-ról 120-ra"}, {310, "310-ről 310-re"},
        {1000, "1000-ről 1000-re"}, {-5, "-5-ről -5-re"},    {2000000, "2000000-ról 2000000-ra"},
    };
    for (const auto& [n, text] : cases)
        EXPECT_EQ(players::fromToText(n, n), QString::fromUtf8(text));
    EXPECT_EQ(players::fromToText(120, 310), QStringLiteral("120-ról 310-re"));
}

TEST_F(StatisticsWindow, WithNoPlayerAndNoRoundsSaysSoAndStillRanks)
{
    open({}, "");
    EXPECT_TRUE(window.lJatekos->text().startsWith(QStringLiteral("Nincs kiválasztott játékos")));
    EXPECT_EQ(window.lJatszott->text(), QStringLiteral("–"));
    EXPECT_EQ(window.tKategoriak->rowCount(), 0);
    EXPECT_TRUE(window.grGrafikon->points().empty());
    EXPECT_TRUE(
        window.grGrafikon->accessibleDescription().contains(QStringLiteral("nincs kiválasztott játékos")));
    EXPECT_EQ(tableRows(window.tRangsor[2]).first(), QStringLiteral("1. Anna 0 0 0%"));
    window.grGrafikon->grab(); // paints with nothing to draw

    // A player without rounds: their figures are zeros, the chart says there is no round.
    open({}, "Dani", {});
    EXPECT_EQ(window.lJatekos->text(), QStringLiteral("Dani még nem játszott kört."));
    EXPECT_EQ(window.lNyert->text(), QStringLiteral("0 (0%)"));
    EXPECT_EQ(window.tRangsor[0]->rowCount(), 0);
    EXPECT_EQ(window.grGrafikon->accessibleDescription(), QStringLiteral("Az utolsó 30 nap: nincs kör."));
}

TEST_F(StatisticsWindow, TakesTheDesktopsDarkPalette)
{
    const QPalette desktop = QApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, Qt::white);
    QApplication::setPalette(dark);
    {
        TfrmStatisztika darkWindow;
        darkWindow.showRounds(family(), Names, "Anna", Today);
        darkWindow.pcLapok->setCurrentIndex(1);
        darkWindow.cbGrafikon->setCurrentIndex(TfrmStatisztika::Last100Rounds);
        darkWindow.show();
        EXPECT_EQ(darkWindow.lNyert->palette().color(QPalette::WindowText), QColor(Qt::white));
        const QImage picture = darkWindow.grGrafikon->grab().toImage();
        EXPECT_EQ(picture.pixelColor(4, darkWindow.grGrafikon->height() / 2), QColor(30, 30, 30));
        EXPECT_EQ(picture.pixelColor(darkWindow.grGrafikon->pointAt(0).toPoint()),
                  players::TotalChart::outcomeColour(h::Won));
    }
    QApplication::setPalette(desktop);
}

// Through the main window: its toolbar button and shortcut, with no player, and not in the editor.
class StatisticsFromMain : public WindowTest
{
};

TEST_F(StatisticsFromMain, OpensWithNoPlayerFromTheButtonAndCtrlT)
{
    startProgram();
    ASSERT_TRUE(main().tbStatisztika->isEnabled());
    EXPECT_EQ(main().tbStatisztika->accessibleName(), QStringLiteral("Statisztika"));
    EXPECT_EQ(main().tbStatisztika->geometry().x(), 40);
    withDialog<TfrmStatisztika>(main().tbStatisztika, [](TfrmStatisztika& window) {
        EXPECT_TRUE(window.lJatekos->text().startsWith(QStringLiteral("Nincs kiválasztott játékos")));
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
    });

    main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    main().setKeyboardPlay(true);
    EXPECT_TRUE(main().tbStatisztika->toolTip().endsWith(QStringLiteral("\nCtrl+T")));
    modals.expectDialog<TfrmStatisztika>(
        [](TfrmStatisztika& window) { QTest::mouseClick(window.btBezar, Qt::LeftButton); });
    QTest::keyClick(&main(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(modals.pending(), 0) << "Ctrl+T opened no statistics";

    click(main().tbMod);
    EXPECT_FALSE(main().tbStatisztika->isEnabled()) << "the editor has no statistics";
    click(main().tbModCancel);
    EXPECT_TRUE(main().tbStatisztika->isEnabled());
}

} // namespace
