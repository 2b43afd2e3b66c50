#include "players/statisztika_window.h"

#include "game/calendar.h"
#include "game/status_text.h"
#include "game/tables.h"
#include "storage/schemas.h"
#include "ui/centre.h"
#include "ui/fonts.h"
#include "ui/text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace h = storage::history;

namespace {

QString number(int64_t n) { return QString::number(n); }

// The outcomes in the legend's order, with their names.
struct OutcomeName
{
    int32_t outcome;
    const char* name;
};
constexpr OutcomeName Outcomes[]
    = {{h::Won, "nyert"}, {h::Lost, "vesztett"}, {h::GivenUp, "feladott"}, {h::Abandoned, "félbehagyott"}};

// Whether a Hungarian suffix after the number takes its front-vowel form ("-re", "-ről"): the last word
// said decides, "százhúsz" takes "-ra", "háromszáztíz" "-re".
bool frontVowelNumber(int64_t n)
{
    uint64_t v = n < 0 ? uint64_t(-(n + 1)) + 1 : uint64_t(n);
    if (v == 0)
        return false; // nulla
    // egy kettő három négy öt hat hét nyolc kilenc
    constexpr bool units[] = {false, true, true, false, true, true, false, true, false, true};
    // tíz húsz harminc negyven ötven hatvan hetven nyolcvan kilencven
    constexpr bool tens[] = {false, true, false, false, true, true, false, true, false, true};
    if (v % 10 != 0)
        return units[v % 10];
    if (v % 100 != 0)
        return tens[v / 10 % 10];
    if (v % 1000 != 0)
        return false; // száz
    v /= 1000;
    if (v % 1000 != 0)
        return true; // ezer
    return false; // millió, milliárd
}

} // namespace

namespace players {

QString fromToText(int64_t from, int64_t to)
{
    return QStringLiteral("%1-%2 %3-%4")
        .arg(number(from), frontVowelNumber(from) ? QStringLiteral("ről") : QStringLiteral("ról"), number(to),
             frontVowelNumber(to) ? QStringLiteral("re") : QStringLiteral("ra"));
}

TotalChart::TotalChart(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("grGrafikon"));
    setAccessibleName(QStringLiteral("Az összpontszám grafikonja"));
    // Reached by Tab, so a screen reader says its summary.
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(300, 160);
}

void TotalChart::setPoints(std::vector<ChartPoint> points, double xFirst, double xLast, QString firstLabel,
                           QString lastLabel)
{
    m_points = std::move(points);
    m_xFirst = xFirst;
    m_xLast = xLast > xFirst ? xLast : xFirst + 1;
    m_firstLabel = std::move(firstLabel);
    m_lastLabel = std::move(lastLabel);
    update();
}

TotalChart::Scale TotalChart::scale() const
{
    Scale sc;
    if (!m_points.empty()) {
        sc.low = sc.high = m_points.front().total;
        for (const ChartPoint& point : m_points) {
            sc.low = std::min(sc.low, point.total);
            sc.high = std::max(sc.high, point.total);
        }
    }
    if (sc.low == sc.high) {
        --sc.low;
        ++sc.high;
    }
    const QFontMetrics metrics(font());
    sc.labelWidth
        = std::max(metrics.horizontalAdvance(number(sc.low)), metrics.horizontalAdvance(number(sc.high)))
        + 12;
    const int textHeight = metrics.height();
    sc.plot = QRectF(sc.labelWidth, 8 + textHeight / 2, width() - sc.labelWidth - 12,
                     height() - 16 - 2 * textHeight);
    return sc;
}

QPointF TotalChart::pointAt(size_t index) const
{
    const ChartPoint& point = m_points.at(index);
    return place(scale(), point.x, point.total);
}

QPointF TotalChart::place(const Scale& sc, double x, int64_t total) const
{
    return {sc.plot.left() + (x - m_xFirst) / (m_xLast - m_xFirst) * sc.plot.width(),
            sc.plot.bottom() - double(total - sc.low) / double(sc.high - sc.low) * sc.plot.height()};
}

QColor TotalChart::outcomeColour(int32_t outcome)
{
    switch (outcome) {
    case h::Won:
        return {46, 160, 67};
    case h::Lost:
        return {220, 50, 47};
    case h::GivenUp:
        return {230, 145, 20};
    default:
        return {128, 128, 140};
    }
}

void TotalChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const QFontMetrics metrics(font());
    const int textHeight = metrics.height();

    painter.fillRect(rect(), colours.base());
    painter.setPen(hasFocus() ? QPen(colours.highlight(), 2) : QPen(colours.mid(), 1));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));

    if (m_points.empty()) {
        painter.setPen(colours.color(QPalette::Text));
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Nincs megjeleníthető kör."));
        return;
    }

    const Scale sc = scale();
    const QRectF& plot = sc.plot;
    const int64_t low = sc.low;
    const int64_t high = sc.high;
    const int left = sc.labelWidth;
    const auto yAt = [&](int64_t total) { return place(sc, m_xFirst, total).y(); };

    // The axes and the values of the top and the bottom, zero where it lies between them.
    painter.setPen(colours.color(QPalette::Text));
    painter.drawText(QRectF(0, yAt(high) - textHeight / 2.0, left - 6, textHeight),
                     Qt::AlignRight | Qt::AlignVCenter, number(high));
    painter.drawText(QRectF(0, yAt(low) - textHeight / 2.0, left - 6, textHeight),
                     Qt::AlignRight | Qt::AlignVCenter, number(low));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 4, plot.width(), textHeight), Qt::AlignLeft,
                     m_firstLabel);
    painter.drawText(QRectF(plot.left(), plot.bottom() + 4, plot.width(), textHeight), Qt::AlignRight,
                     m_lastLabel);
    painter.setPen(QPen(colours.mid(), 1));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    if (low < 0 && high > 0) {
        painter.setPen(QPen(colours.mid(), 1, Qt::DashLine));
        painter.drawLine(QPointF(plot.left(), yAt(0)), QPointF(plot.right(), yAt(0)));
    }

    QPainterPath line;
    line.moveTo(place(sc, m_points.front().x, m_points.front().total));
    for (const ChartPoint& point : m_points)
        line.lineTo(place(sc, point.x, point.total));
    QColor lineColour = colours.color(QPalette::Text);
    lineColour.setAlpha(110);
    painter.setPen(QPen(lineColour, 1.5));
    painter.drawPath(line);

    // Many rounds close together: smaller dots, so the line stays readable.
    const double radius = m_points.size() > 60 ? 2.5 : 3.5;
    painter.setPen(Qt::NoPen);
    for (const ChartPoint& point : m_points) {
        painter.setBrush(outcomeColour(point.outcome));
        painter.drawEllipse(place(sc, point.x, point.total), radius, radius);
    }
}

} // namespace players

namespace {

// A figure: reached by Tab, and a screen reader says what it is with its value (setFigure).
QLabel* valueLabel(QWidget* parent, const char* name, const QString& caption)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setProperty("caption", caption);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

void setFigure(QLabel* label, const QString& text)
{
    label->setText(text);
    label->setAccessibleName(label->property("caption").toString() + QStringLiteral(": ") + text);
}

// Column `textColumn` holds a name and takes the room left; the others hold numbers.
QTableWidget* makeTable(QWidget* parent, const char* name, const QString& accessibleName,
                        const QStringList& headers, int textColumn = 0)
{
    auto* table = new QTableWidget(0, int(headers.size()), parent);
    table->setObjectName(QLatin1String(name));
    table->setAccessibleName(accessibleName);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(QFontMetrics(ui::defaultFont()).height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(textColumn, QHeaderView::Stretch);
    return table;
}

void setRow(QTableWidget* table, int row, const QStringList& cells, int textColumn = 0)
{
    for (int column = 0; column < cells.size(); ++column) {
        auto* item = new QTableWidgetItem(cells[column]);
        if (column != textColumn)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, column, item);
    }
}

QString dateText(int32_t day)
{
    const game::CivilDate date = game::civilDate(day);
    return QStringLiteral("%1.%2.%3.")
        .arg(date.year)
        .arg(date.month, 2, 10, QLatin1Char('0'))
        .arg(date.day, 2, 10, QLatin1Char('0'));
}

} // namespace

TfrmStatisztika::TfrmStatisztika(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStatisztika"));
    setWindowTitle(QStringLiteral("Statisztika"));
    setFont(ui::defaultFont());
    resize(520, 480);

    lJatekos = new QLabel(this);
    lJatekos->setObjectName(QStringLiteral("lJatekos"));
    lJatekos->setFont(ui::boldPixelFont(16));
    lJatekos->setWordWrap(true);

    pcLapok = new QTabWidget(this);
    pcLapok->setObjectName(QStringLiteral("pcLapok"));
    auto* figures = new QWidget;
    auto* chart = new QWidget;
    auto* ranking = new QWidget;
    pcLapok->addTab(figures, QStringLiteral("&Eredmények"));
    pcLapok->addTab(chart, QStringLiteral("&Grafikon"));
    pcLapok->addTab(ranking, QStringLiteral("Családi &rangsor"));
    buildFigures(figures);
    buildChart(chart);
    buildRanking(ranking);

    btBezar = new QPushButton(QStringLiteral("&Bezár"), this);
    btBezar->setObjectName(QStringLiteral("btBezar"));
    btBezar->setAutoDefault(false);
    connect(btBezar, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lJatekos);
    layout->addWidget(pcLapok, 1);
    layout->addWidget(btBezar, 0, Qt::AlignRight);
}

void TfrmStatisztika::buildFigures(QWidget* page)
{
    auto* grid = new QGridLayout;
    const std::pair<QLabel * TfrmStatisztika::*, std::pair<const char*, QString>> rows[] = {
        {&TfrmStatisztika::lJatszott, {"lJatszott", QStringLiteral("Lejátszott körök")}},
        {&TfrmStatisztika::lNyert, {"lNyert", QStringLiteral("Megnyert körök")}},
        {&TfrmStatisztika::lSorozat, {"lSorozat", QStringLiteral("Győzelmek sorozatban most")}},
        {&TfrmStatisztika::lLegjobbSorozat,
         {"lLegjobbSorozat", QStringLiteral("Leghosszabb győzelmi sorozat")}},
        {&TfrmStatisztika::lAtlag, {"lAtlag", QStringLiteral("Átlagos pontszám körönként")}},
        {&TfrmStatisztika::lSugo, {"lSugo", QStringLiteral("Körök súgóval")}},
        {&TfrmStatisztika::lFeladott, {"lFeladott", QStringLiteral("Feladott körök")}},
        {&TfrmStatisztika::lNapi, {"lNapi", QStringLiteral("A nap feladványa sorozatban")}},
    };
    int row = 0;
    for (const auto& [member, text] : rows) {
        const auto& [name, caption] = text;
        auto* captionLabel = new QLabel(caption + QLatin1Char(':'), page);
        grid->addWidget(captionLabel, row, 0);
        this->*member = valueLabel(page, name, caption);
        grid->addWidget(this->*member, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);

    tSzintek = makeTable(page, "tSzintek", QStringLiteral("Körök fokozatonként"),
                         {QStringLiteral("Fokozat"), QStringLiteral("Körök"), QStringLiteral("Legjobb kör")});
    tSzintek->setRowCount(4);
    for (int level = 1; level <= 4; ++level)
        setRow(tSzintek, level - 1,
               {ui::toQt(game::levelName(level)), QStringLiteral("0"), QStringLiteral("–")});

    tKategoriak = makeTable(page, "tKategoriak", QStringLiteral("Körök kategóriánként"),
                            {QStringLiteral("Kategória"), QStringLiteral("Körök")});

    auto* tables = new QHBoxLayout;
    tables->addWidget(tSzintek, 1);
    tables->addWidget(tKategoriak, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addLayout(tables, 1);
}

void TfrmStatisztika::buildChart(QWidget* page)
{
    cbGrafikon = new QComboBox(page);
    cbGrafikon->setObjectName(QStringLiteral("cbGrafikon"));
    cbGrafikon->addItem(QStringLiteral("Az utolsó %1 nap").arg(ChartDays));
    cbGrafikon->addItem(QStringLiteral("Az utolsó %1 kör").arg(ChartRounds));
    auto* choice = new QLabel(QStringLiteral("&Mutassa:"), page);
    choice->setBuddy(cbGrafikon);
    cbGrafikon->setAccessibleName(QStringLiteral("A grafikon időszaka"));
    connect(cbGrafikon, &QComboBox::currentIndexChanged, this, [this] { showChart(); });

    grGrafikon = new players::TotalChart(page);

    QString legend;
    for (const OutcomeName& outcome : Outcomes) {
        legend += QStringLiteral("<span style='color:%1'>&#9679;</span>&nbsp;%2&nbsp;&nbsp; ")
                      .arg(players::TotalChart::outcomeColour(outcome.outcome).name(),
                           QString::fromUtf8(outcome.name));
    }
    auto* legendLabel = new QLabel(legend, page);
    legendLabel->setObjectName(QStringLiteral("lJelmagyarazat"));
    legendLabel->setAccessibleName(QStringLiteral("Jelmagyarázat"));
    legendLabel->setTextFormat(Qt::RichText);

    auto* top = new QHBoxLayout;
    top->addWidget(choice);
    top->addWidget(cbGrafikon, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(grGrafikon, 1);
    layout->addWidget(legendLabel);
}

void TfrmStatisztika::buildRanking(QWidget* page)
{
    pcRangsor = new QTabWidget(page);
    pcRangsor->setObjectName(QStringLiteral("pcRangsor"));
    const char* const names[] = {"tRangsorHet", "tRangsorHonap", "tRangsorMind"};
    const QString titles[]
        = {QStringLiteral("Ezen a héten"), QStringLiteral("Ebben a hónapban"), QStringLiteral("Mindenkori")};
    for (int period = 0; period < 3; ++period) {
        tRangsor[period]
            = makeTable(nullptr, names[period], QStringLiteral("Rangsor: %1").arg(titles[period]),
                        {QStringLiteral("Hely"), QStringLiteral("Név"), QStringLiteral("Pont"),
                         QStringLiteral("Kör"), QStringLiteral("Nyert %")},
                        1);
        pcRangsor->addTab(tRangsor[period], titles[period]);
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(pcRangsor);
}

void TfrmStatisztika::showRounds(std::span<const players::RoundRecord> rounds,
                                 const std::vector<std::string>& names, const std::string& player,
                                 int32_t today)
{
    m_today = today;
    showPlayer(rounds, player, today);
    showRanking(rounds, names, today);
    showChart();
}

void TfrmStatisztika::showPlayer(std::span<const players::RoundRecord> rounds, const std::string& player,
                                 int32_t today)
{
    m_hasPlayer = !player.empty();
    m_playerRounds.clear();
    std::array<int32_t, game::CategoryNames.size()> categories {};
    if (m_hasPlayer) {
        for (const players::RoundRecord& r : rounds) {
            if (r.name != player)
                continue;
            m_playerRounds.push_back({r.time, r.score, r.outcome});
            if (r.category > 0 && size_t(r.category) < categories.size())
                ++categories[size_t(r.category)];
        }
    }
    const players::PlayerStatistics s
        = m_hasPlayer ? players::statisticsOf(rounds, player) : players::PlayerStatistics();

    const QString name = ui::toQt(player);
    if (!m_hasPlayer)
        lJatekos->setText(QStringLiteral("Nincs kiválasztott játékos. A saját eredmények a játékos "
                                         "kiválasztása után látszanak; a családi rangsor most is."));
    else if (s.played == 0)
        lJatekos->setText(QStringLiteral("%1 még nem játszott kört.").arg(name));
    else
        lJatekos->setText(QStringLiteral("%1 eredményei").arg(name));

    const QString none = QStringLiteral("–");
    const auto figure
        = [&](QLabel* label, const QString& text) { setFigure(label, m_hasPlayer ? text : none); };
    figure(lJatszott, number(s.played));
    figure(lNyert, QStringLiteral("%1 (%2%)").arg(s.won).arg(s.wonPercent));
    figure(lSorozat, number(s.currentStreak));
    figure(lLegjobbSorozat, number(s.bestStreak));
    figure(lAtlag, number(s.averageScore));
    figure(lSugo, number(s.hintsBought));
    figure(lFeladott, number(s.givenUp));
    figure(lNapi,
           QStringLiteral("%1 nap").arg(m_hasPlayer ? players::dailyStreak(rounds, player, today) : 0));

    for (int level = 1; level <= 4; ++level) {
        const int32_t played = s.roundsAtLevel[size_t(level)];
        setRow(tSzintek, level - 1,
               {ui::toQt(game::levelName(level)), number(played),
                played > 0 ? number(s.bestScore[size_t(level)]) : none});
    }
    tKategoriak->setRowCount(0);
    for (size_t category = 1; category < categories.size(); ++category) {
        if (categories[category] == 0)
            continue;
        const int row = tKategoriak->rowCount();
        tKategoriak->insertRow(row);
        setRow(tKategoriak, row, {ui::toQt(game::CategoryNames[category]), number(categories[category])});
    }
}

void TfrmStatisztika::showRanking(std::span<const players::RoundRecord> rounds,
                                  const std::vector<std::string>& names, int32_t today)
{
    const players::Period periods[]
        = {players::Period::Week, players::Period::Month, players::Period::AllTime};
    for (int period = 0; period < 3; ++period) {
        const std::vector<players::RankingRow> rows = players::ranking(rounds, names, periods[period], today);
        QTableWidget* table = tRangsor[period];
        table->setRowCount(int(rows.size()));
        int place = 1;
        for (size_t i = 0; i < rows.size(); ++i) {
            // Equal points share a place.
            if (i > 0 && rows[i].points != rows[i - 1].points)
                place = int(i) + 1;
            const players::RankingRow& r = rows[i];
            setRow(table, int(i),
                   {QStringLiteral("%1.").arg(place), ui::toQt(r.name), number(r.points), number(r.rounds),
                    QStringLiteral("%1%").arg(r.wonPercent)},
                   1);
        }
    }
}

void TfrmStatisztika::showChart()
{
    const bool byDays = cbGrafikon->currentIndex() == Last30Days;
    const QString range = cbGrafikon->currentText();
    if (!m_hasPlayer) {
        grGrafikon->setPoints({}, 0, 1, {}, {});
        grGrafikon->setAccessibleDescription(QStringLiteral("%1: nincs kiválasztott játékos.").arg(range));
        return;
    }

    // The first round shown, and the total the rounds before it left.
    size_t first = 0;
    const int32_t firstDay = m_today - ChartDays + 1;
    if (byDays) {
        while (first < m_playerRounds.size() && game::dayOfMinutes(m_playerRounds[first].time) < firstDay)
            ++first;
    } else if (m_playerRounds.size() > size_t(ChartRounds)) {
        first = m_playerRounds.size() - size_t(ChartRounds);
    }
    int64_t total = 0;
    for (size_t i = 0; i < first; ++i)
        total += m_playerRounds[i].score;
    const int64_t startTotal = total;

    std::vector<players::ChartPoint> points;
    points.reserve(m_playerRounds.size() - first);
    std::array<int, 5> outcomes {};
    const double firstMinute = double(game::localMinutes(game::civilDate(firstDay), 0, 0));
    for (size_t i = first; i < m_playerRounds.size(); ++i) {
        const PlayerRound& r = m_playerRounds[i];
        total += r.score;
        // By days a round lies at its moment of the day; by rounds each takes the next place.
        const double x = byDays ? (r.time - firstMinute) / game::MinutesPerDay : double(i - first + 1);
        points.push_back({x, total, r.outcome});
        if (r.outcome >= 1 && r.outcome <= 4)
            ++outcomes[size_t(r.outcome)];
    }

    const int count = int(points.size());
    if (byDays)
        grGrafikon->setPoints(std::move(points), 0, ChartDays, dateText(firstDay), QStringLiteral("ma"));
    else
        grGrafikon->setPoints(std::move(points), 0.5, std::max(count, 1) + 0.5, QStringLiteral("1."),
                              QStringLiteral("%1.").arg(std::max(count, 1)));

    QString description;
    if (count == 0) {
        description = QStringLiteral("%1: nincs kör.").arg(range);
    } else {
        description = QStringLiteral("%1: %2 kör, összpontszám %3")
                          .arg(range)
                          .arg(count)
                          .arg(players::fromToText(startTotal, total));
        QStringList parts;
        for (const OutcomeName& outcome : Outcomes) {
            if (outcomes[size_t(outcome.outcome)] > 0)
                parts << QStringLiteral("%1 %2")
                             .arg(outcomes[size_t(outcome.outcome)])
                             .arg(QString::fromUtf8(outcome.name));
        }
        description += QStringLiteral(" (%1).").arg(parts.join(QStringLiteral(", ")));
    }
    grGrafikon->setAccessibleDescription(description);
    grGrafikon->setToolTip(description);
}

void TfrmStatisztika::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui::centreOnDesktop(*this);
    pcLapok->setFocus();
}
