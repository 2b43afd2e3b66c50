#pragma once
// "Statisztika": the current player's figures, a chart of their total over the last 30 days or the last 100
// rounds, their rounds by level and category, and the family ranking of the week, the month and all time.
// Every figure is text too (labels and table cells), so a screen reader reads what the chart shows. It takes
// the desktop's palette, light or dark; Esc and its button close it.

#include "players/round_history.h"

#include <QColor>
#include <QDialog>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace players {

// One round on the chart: where it lies on the x axis (the round's day for the 30 days, its place for the
// 100 rounds), the player's total after it and how it ended.
struct ChartPoint
{
    double x = 0;
    int64_t total = 0;
    int32_t outcome = storage::history::Won;
};

// "120-ról 310-re": the suffixes follow the numbers as they are said.
QString fromToText(int64_t from, int64_t to);

// The player's total over their rounds, drawn as a line with each round a dot in its outcome's colour. Drawn
// with QPainter: a chart library linked into the game made every start-up load it, for about 1 MB more
// memory and some milliseconds, while this window opens rarely.
class TotalChart : public QWidget
{
    Q_OBJECT

public:
    explicit TotalChart(QWidget* parent = nullptr);

    // `xLabels` are the captions under the x axis's two ends.
    void setPoints(std::vector<ChartPoint> points, double xFirst, double xLast, QString firstLabel,
                   QString lastLabel);
    const std::vector<ChartPoint>& points() const { return m_points; }
    // Where the dot of points()[index] is drawn.
    QPointF pointAt(size_t index) const;

    // The dot colours: mid tones, seen on a light and on a dark background alike.
    static QColor outcomeColour(int32_t outcome);

    QSize sizeHint() const override { return {440, 200}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The plotting area and the totals at its bottom and top.
    struct Scale
    {
        QRectF plot;
        int64_t low = 0;
        int64_t high = 1;
        int labelWidth = 0;
    };
    Scale scale() const;
    QPointF place(const Scale& scale, double x, int64_t total) const;

    std::vector<ChartPoint> m_points;
    double m_xFirst = 0;
    double m_xLast = 1;
    QString m_firstLabel;
    QString m_lastLabel;
};

} // namespace players

class TfrmStatisztika : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmStatisztika(QWidget* parent = nullptr);

    // The figures of `player` (Windows-1250, empty with no player) and the ranking of `names` (the
    // register's, Windows-1250) from `rounds`, oldest first; `today` is a day number (game/calendar.h). The
    // rounds are not kept: the window shows what they held when it was opened.
    void showRounds(std::span<const players::RoundRecord> rounds, const std::vector<std::string>& names,
                    const std::string& player, int32_t today);

    // The chart's two ranges, in the order of cbGrafikon.
    enum ChartRange { Last30Days = 0, Last100Rounds = 1 };
    static constexpr int ChartDays = 30;
    static constexpr int ChartRounds = 100;

    QTabWidget* pcLapok = nullptr; // "Eredmények", "Grafikon", "Rangsor"
    QLabel* lJatekos = nullptr; // whose figures, or that there is no player
    // The figures, each a value label named after what it shows.
    QLabel* lJatszott = nullptr;
    QLabel* lNyert = nullptr;
    QLabel* lSorozat = nullptr;
    QLabel* lLegjobbSorozat = nullptr;
    QLabel* lAtlag = nullptr;
    QLabel* lSugo = nullptr;
    QLabel* lFeladott = nullptr;
    QLabel* lNapi = nullptr;
    QTableWidget* tSzintek = nullptr; // level, rounds, best round
    QTableWidget* tKategoriak = nullptr; // category, rounds (the categories played)
    QComboBox* cbGrafikon = nullptr;
    players::TotalChart* grGrafikon = nullptr;
    QTabWidget* pcRangsor = nullptr; // week, month, all time
    // The ranking tables in the order of players::Period.
    QTableWidget* tRangsor[3] = {nullptr, nullptr, nullptr};
    QPushButton* btBezar = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildFigures(QWidget* page);
    void buildChart(QWidget* page);
    void buildRanking(QWidget* page);
    void showPlayer(std::span<const players::RoundRecord> rounds, const std::string& player, int32_t today);
    void showRanking(std::span<const players::RoundRecord> rounds, const std::vector<std::string>& names,
                     int32_t today);
    void showChart();

    // The player's rounds as the chart takes them, kept for a change of its range.
    struct PlayerRound
    {
        int32_t time = 0;
        int32_t score = 0;
        int32_t outcome = 0;
    };
    std::vector<PlayerRound> m_playerRounds;
    int32_t m_today = 0;
    bool m_hasPlayer = false;
};
