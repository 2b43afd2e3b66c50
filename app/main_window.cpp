// The main window's controls, laid out at their fixed places, and its key and close events.
#include "app/main_window.h"

#include "game/calendar.h"
#include "game/help_window.h"
#include "game/status_text.h"
#include "game/tables.h"
#include "players/statisztika_window.h"
#include "storage/schemas.h"
#include "ui/accessible_controls.h"
#include "ui/announcer.h"
#include "ui/board_cell.h"
#include "ui/centre.h"
#include "ui/colours.h"
#include "ui/error_box.h"
#include "ui/fitted_text.h"
#include "ui/flat_button.h"
#include "ui/fonts.h"
#include "ui/gauge.h"
#include "ui/icons.h"
#include "ui/late_label.h"
#include "ui/modal.h"
#include "ui/own_colours.h"
#include "ui/status_bar.h"
#include "ui/text.h"
#include "ui/title.h"
#include "ui/toolbar_panel.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr int NameGap = 8;

template <typename Label = QLabel>
Label* makeLabel(QWidget* parent, const char* name, QRect place, const QString& text, int fontPixels,
                 const QColor& colour, Qt::Alignment alignment, int leftMargin = 0)
{
    auto* label = new Label(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setContentsMargins(leftMargin, 0, 0, 0);
    label->setFont(ui::boldPixelFont(fontPixels));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAlignment(alignment);
    ui::showFitted(label, text);
    return label;
}

} // namespace

TfrmMain::TfrmMain(Windows& windows, const ui::ModalRunner& modal, const StartupOptions& options,
                   QWidget* parent)
    : QWidget(parent)
    , m_windows(windows)
    , m_modal(modal)
    , m_options(options)
{
    buildControls();

    connect(tbSave, &QToolButton::clicked, this, [this] { tbSaveClick(); });
    connect(tbLoad, &QToolButton::clicked, this, [this] { tbLoadClick(); });
    connect(tbExit, &QToolButton::clicked, this, [this] { tbExitClick(); });
    connect(tbHogyan, &QToolButton::clicked, this, [this] { tbHogyanClick(); });
    connect(tbStatisztika, &QToolButton::clicked, this, [this] { tbStatisztikaClick(); });
    // Help is one key away from every mode, keyboard play or not.
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, tbHogyan,
            &QToolButton::click);
    connectRoundHandlers();
    connectEditorHandlers();
    connectPlayerHandlers();

    ui::runShowingErrors(m_modal, this, [this] { FormCreate(); });
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::buildControls()
{
    setObjectName(QStringLiteral("frmMain"));
    // Design-time caption; FormCreate adds the letter of the release once the start-up reading succeeded.
    setWindowTitle(ui::applicationTitle() + QStringLiteral(" v1.0"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(537, 522);
    setFont(ui::defaultFont());
    setAutoFillBackground(true);
    // Its own text colours with its own background: a dark desktop palette would write white on light green.
    ui::useOwnColours(this, ui::WindowColour, ui::Black, ui::GreyedText);
    setFocusPolicy(Qt::StrongFocus);
    ui::centreOnDesktop(*this);

    buildToolbar();

    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    const auto centre = Qt::AlignCenter;
    RxLabel1 = makeLabel(this, "RxLabel1", {0, 40, 65, 33}, QStringLiteral("  Név:"), 19, ui::Blue, left);
    // The name keeps a gap after "Név:", which DejaVu's wider letters would otherwise close.
    lNev = makeLabel(this, "lNev", {64, 40, 225, 33}, QStringLiteral("Játékos"), 19, ui::Blue, left, NameGap);
    RxLabel2
        = makeLabel(this, "RxLabel2", {296, 40, 113, 33}, QStringLiteral("Pontszám: "), 19, ui::Blue, right);
    lOsszPont = makeLabel(this, "lOsszPont", {416, 40, 121, 33}, QStringLiteral("0"), 19, ui::Blue, centre);
    lKategoria = makeLabel<ui::LateLabel>(this, "lKategoria", {0, 80, 537, 37}, QStringLiteral("Kategória"),
                                          32, ui::Red, centre);
    lKategoria->hide();
    eSugo1 = makeLabel(this, "eSugo1", {0, 117, 537, 20}, QString(), 13, ui::Maroon, centre);
    eSugo2 = makeLabel(this, "eSugo2", {0, 133, 537, 20}, QString(), 13, ui::Maroon, centre);
    eInfo = makeLabel(this, "eInfo", {0, 152, 537, 20},
                      QStringLiteral("Ctrl+ENTER - Mentés; ESC - Minden karaktert töröl"), 16, ui::Green,
                      centre);
    eInfo->hide();
    lTeendo = makeLabel(this, "lTeendo", {8, 80, 521, 92}, QString(), 16, ui::Maroon, centre);
    lTeendo->setWordWrap(true);
    lTeendo->setText(QStringLiteral("Először válasszon játékost! Kattintson a bal felső gombra "
                                    "(„Játékos váltása”), vegyen fel egy nevet az „Új név” gombbal, "
                                    "majd nyomja meg az OK gombot. Segítség: F1."));

    buildBoard();

    lFokozat = makeLabel(this, "lFokozat", {0, 301, 273, 25}, QStringLiteral("Fokozat: KÖZEPES"), 19,
                         ui::Blue, centre);
    lMostPont = makeLabel(this, "lMostPont", {272, 301, 261, 25}, QStringLiteral("Pontszám:  0"), 19,
                          ui::Blue, centre);

    eHiba = new ui::Gauge(this);
    eHiba->setObjectName(QStringLiteral("eHiba"));
    eHiba->setAccessibleName(QStringLiteral("Hibák"));
    eHiba->setGeometry(0, 330, 537, 21);
    eHiba->setMaximum(10);
    eHiba->setPosition(0);

    buildKeyboard();
    buildStatusBar();
    buildShortcuts();
    showFirstStep(true); // nobody is chosen until the player dialog restores the last player
}

void TfrmMain::buildToolbar()
{
    Toolbar971 = new ui::ToolbarPanel(this);
    Toolbar971->setObjectName(QStringLiteral("Toolbar971"));
    Toolbar971->setGeometry(0, 0, 537, 38);

    struct ButtonRow
    {
        QToolButton* TfrmMain::*member;
        const char* name;
        int x;
        const char* icon; // picture name (ui/icons.h); empty: text only
        QString toolTip;
    };
    const ButtonRow rows[] = {
        {&TfrmMain::tbJatekos, "tbJatekos", 0, "jatekos",
         QStringLiteral("Játékos váltása\nés a játékmenet beállítása")},
        {&TfrmMain::tbSave, "tbSave", 40, "save", QStringLiteral("Játék mentése")},
        {&TfrmMain::tbStatisztika, "tbStatisztika", 40, "statisztika", QStringLiteral("Statisztika")},
        {&TfrmMain::tbLoad, "tbLoad", 74, "", QStringLiteral("Mentett játék betöltése")},
        {&TfrmMain::tbBeallitas, "tbBeallitas", 108, "beallitas", QStringLiteral("Általános beállítások")},
        {&TfrmMain::tbUj, "tbUj", 148, "uj", QStringLiteral("Kérek egy új feladatot")},
        {&TfrmMain::tbInfo, "tbInfo", 182, "info", QStringLiteral("Segítség a feladvánnyal kapcsolatban")},
        {&TfrmMain::tbMaganh, "tbMaganh", 216, "maganh", QStringLiteral("Magánhangzók megjelenítése")},
        {&TfrmMain::tbSzabad, "tbSzabad", 250, "szabad", QStringLiteral("Szabad a gazda...")},
        {&TfrmMain::tbMod, "tbMod", 290, "mod", QStringLiteral("Új feladat beírása")},
        {&TfrmMain::tbAdatlap, "tbAdatlap", 324, "adatlap",
         QStringLiteral("A most szerkesztett feladat adatlapja")},
        {&TfrmMain::tbModOK, "tbModOK", 358, "modok", QStringLiteral("A feladvány elfogadása")},
        {&TfrmMain::tbModCancel, "tbModCancel", 392, "modcancel", QStringLiteral("A feladvány elvetése")},
        {&TfrmMain::tbExit, "tbExit", 432, "exit", QStringLiteral("Kilépés a programból")},
        {&TfrmMain::tbHogyan, "tbHogyan", 500, "hogyan", QStringLiteral("Hogyan játsszunk?\nF1")},
        {&TfrmMain::tbNapi, "tbNapi", 74, "napi", QStringLiteral("A nap feladványa")},
    };
    for (const ButtonRow& row : rows) {
        auto* button = new QToolButton(Toolbar971);
        button->setObjectName(QLatin1String(row.name));
        button->setGeometry(row.x, 2, 34, 34);
        button->setAutoRaise(true);
        // Reached by Tab (a click leaves the focus where it was): a player without a mouse gets to every
        // button.
        button->setFocusPolicy(Qt::TabFocus);
        button->setToolTip(row.toolTip);
        button->setAccessibleName(ui::firstLine(row.toolTip));
        if (*row.icon) {
            button->setIcon(ui::icon(row.icon));
            button->setIconSize(QSize(26, 26));
        } else {
            button->setText(QStringLiteral("Load"));
        }
        this->*row.member = button;
    }
    for (int x : {34, 142, 284, 426}) {
        auto* separator = new QFrame(Toolbar971);
        separator->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        separator->setGeometry(x + 2, 4, 2, 30);
    }

    tbSave->hide();
    tbLoad->hide();
    tbAdatlap->hide();
    tbUj->setEnabled(false);
    tbNapi->setEnabled(false);
    tbInfo->setEnabled(false);
    tbMaganh->setEnabled(false);
    tbSzabad->setEnabled(false);
    tbModOK->setEnabled(false);
    tbModCancel->setEnabled(false);
}

void TfrmMain::buildBoard()
{
    for (int k = 1; k <= game::CellCount; ++k) {
        auto* cell = new ui::BoardCell(k, this);
        cell->setObjectName(QStringLiteral("p%1").arg(k));
        const int row = (k - 1) / game::RowLength;
        const int column = (k - 1) % game::RowLength;
        cell->setGeometry(8 + 40 * column, 176 + 40 * row, 40, 40);
        cell->setBoardPlace(row + 1, column + 1);
        // Empty captions in the blank colours until the first blanking.
        cell->setLook(QString(), ui::PlainCellColour, ui::LetterTextColour);
        p[static_cast<size_t>(k - 1)] = cell;
    }
    // The board is one stop of the Tab order; the arrow keys then go from cell to cell, each saying what it
    // shows (moveOnBoard), so that a screen reader needs no review mode to read it.
    p[0]->setFocusPolicy(Qt::TabFocus);

    // sb1b..sb3b scroll rows 1..3 to the left (tags 1..3), sb1j..sb3j to the right (tags 4..6).
    const QString leftHint = QStringLiteral("Ezt a sort eggyel balra görgeti...");
    const QString rightHint = QStringLiteral("Ezt a sort eggyel jobbra görgeti...");
    ui::FlatButton* TfrmMain::*const members[] = {&TfrmMain::sb1b, &TfrmMain::sb2b, &TfrmMain::sb3b,
                                                  &TfrmMain::sb1j, &TfrmMain::sb2j, &TfrmMain::sb3j};
    for (int tag = 1; tag <= 6; ++tag) {
        const bool left = tag <= 3;
        const int row = (tag - 1) % 3 + 1;
        auto* button = new ui::FlatButton(tag, this);
        button->setObjectName(QStringLiteral("sb%1%2").arg(row).arg(QLatin1Char(left ? 'b' : 'j')));
        button->setGeometry(left ? 0 : 528, 176 + 40 * (row - 1), 8, 40);
        button->setArrowType(left ? Qt::LeftArrow : Qt::RightArrow);
        button->setToolTip(left ? leftHint : rightHint);
        button->hide();
        this->*members[tag - 1] = button;
    }
}

void TfrmMain::buildKeyboard()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 351, 537, 149);
    Panel1->setAutoFillBackground(true);
    // Unused letters black, used ones greyed, whatever the desktop's palette.
    ui::useOwnColours(Panel1, ui::PanelColour, ui::Black, ui::GreyedText);

    // Rows of the keyboard: first button, last button, top, and the left edge of each button in the row.
    struct KeyRow
    {
        int first;
        int last;
        int top;
        int left;
    };
    const KeyRow rows[] = {{1, 13, 16, 8}, {14, 25, 56, 27}, {26, 35, 96, 67}};
    const QFont letterFont = ui::boldPixelFont(32); // one font shared by the 35 buttons
    for (const KeyRow& row : rows) {
        for (int k = row.first; k <= row.last; ++k) {
            auto* button = new ui::FlatButton(k, Panel1);
            button->setObjectName(QStringLiteral("b%1").arg(k));
            button->setGeometry(row.left + 40 * (k - row.first), row.top, 40, 40);
            button->setFont(letterFont);
            button->setText(ui::toQt(game::CapitalLetters.substr(static_cast<size_t>(k - 1), 1)));
            button->setEnabled(false);
            b[static_cast<size_t>(k - 1)] = button;
        }
    }
}

void TfrmMain::buildStatusBar()
{
    sBar = new ui::StatusBar({{80, false, Qt::AlignLeft},
                              {100, true, Qt::AlignHCenter},
                              {60, false, Qt::AlignLeft},
                              {90, true, Qt::AlignHCenter},
                              {0, false, Qt::AlignLeft}},
                             this);
    sBar->setObjectName(QStringLiteral("sBar"));
    new ui::Announcer(sBar);
    ui::useOwnColours(sBar, ui::WindowColour, ui::Black, ui::GreyedText);
    sBar->setGeometry(0, 500, 537, 22);
    sBar->setPanelText(0, QStringLiteral("Fokozat:"));
    sBar->setPanelText(2, QStringLiteral("Nyelv:"));
    // No player yet: the scores of no level.
    sBar->setPanelText(4, ui::toQt(game::levelScoreText(0)));
}

ui::BoardCell* TfrmMain::cell(int number) const { return p.at(static_cast<size_t>(number - 1)); }

ui::FlatButton* TfrmMain::letterButton(int number) const { return b.at(static_cast<size_t>(number - 1)); }

void TfrmMain::ResetBoard(bool ClearCells, bool SetButtons, bool ButtonsEnabled)
{
    if (ClearCells) {
        for (ui::BoardCell* c : p)
            c->setLook(QStringLiteral(" "), ui::PlainCellColour, ui::LetterTextColour);
    }
    if (SetButtons) {
        for (ui::FlatButton* button : b) {
            button->setEnabled(ButtonsEnabled);
            nameLetterButton(button, LetterState::Free);
        }
    }
}

void TfrmMain::tbHogyanClick()
{
    if (!m_help)
        m_help = new TfrmHogyan(this);
    m_modal.showModal(*m_help);
}

void TfrmMain::tbStatisztikaClick()
{
    if (!m_statistics)
        m_statistics = new TfrmStatisztika(this);
    const storage::Table& players = m_register.table();
    std::vector<std::string> names;
    // A register that could not be read is closed: the ranking is then empty, the player's figures stay.
    const int count = players.isOpen() ? players.recordCount() : 0;
    names.reserve(size_t(count));
    for (int position = 0; position < count; ++position) {
        // Namesakes share their rounds, so they take one row of the ranking.
        const std::string_view name = players.textAt(position, storage::player::Nev);
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.emplace_back(name);
    }
    m_statistics->showRounds(roundHistory(), names, hasPlayer() ? PlayerName : std::string(),
                             game::dayOfMinutes(clockMinutes()));
    m_modal.showModal(*m_statistics);
}

void TfrmMain::keyPressEvent(QKeyEvent* event)
{
    if (!pressTypedLetter(event) && !moveOnBoard(event) && !drawOnEnter(event))
        FormKeyPress(event);
}

void TfrmMain::keyReleaseEvent(QKeyEvent* event) { FormKeyUp(event); }

void TfrmMain::closeEvent(QCloseEvent* event)
{
    // tbExit has saved already and closes without asking again.
    if (m_closingByExit || FormCloseQuery())
        event->accept();
    else
        event->ignore();
}
