// The player dialog's window: the grid over the register, the player buttons and the round options.
#include "players/jatekosok_dialog.h"

#include "game/tables.h"
#include "players/player_model.h"
#include "storage/schemas.h"
#include "ui/centre.h"
#include "ui/check_group.h"
#include "ui/error_box.h"
#include "ui/flat_button.h"
#include "ui/fonts.h"
#include "ui/radio_group.h"
#include "ui/text.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <algorithm>

namespace {
constexpr int ClientWidth = 611;
constexpr int ClientHeight = 393;
constexpr int BottomPanelHeight = 165;

QStringList texts(std::initializer_list<const char*> utf8)
{
    QStringList list;
    for (const char* text : utf8)
        list << QString::fromUtf8(text);
    return list;
}
} // namespace

TfrmJatekosok::TfrmJatekosok(players::Register& playerRegister, const ui::ModalRunner& modal, QWidget* parent)
    : BuiltOnFirstShow(parent)
    , m_register(playerRegister)
    , m_modal(modal)
{
    setObjectName(QStringLiteral("frmJatekosok"));
    setWindowTitle(QStringLiteral("Játékos kiválasztása"));
    setFixedSize(ClientWidth, ClientHeight);
}

void TfrmJatekosok::buildWindow()
{
    setFont(ui::defaultFont());
    buildControls();
    showRegister();
    showRestoredOptions();
}

TfrmJatekosok::~TfrmJatekosok() = default;

void TfrmJatekosok::buildControls()
{
    buildGrid();
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, ClientHeight - BottomPanelHeight, ClientWidth, BottomPanelHeight);

    struct ButtonPlace
    {
        ui::FlatButton* TfrmJatekosok::*member;
        const char* name;
        const char* text;
        int left;
        void (TfrmJatekosok::*handler)();
    };
    const ButtonPlace buttons[] = {
        {&TfrmJatekosok::sbUj, "sbUj", "Új név", 4, &TfrmJatekosok::sbUjClick},
        {&TfrmJatekosok::sbMod, "sbMod", "Módosít", 61, &TfrmJatekosok::sbModClick},
        {&TfrmJatekosok::sbDel, "sbDel", "Töröl", 118, &TfrmJatekosok::sbDelClick},
    };
    for (const ButtonPlace& place : buttons) {
        auto* button = new ui::FlatButton(0, Panel1);
        button->setObjectName(QString::fromLatin1(place.name));
        button->setText(QString::fromUtf8(place.text));
        button->setGeometry(place.left, 4, 57, 22);
        // A raised face, so the three read as buttons and not as plain text on the panel.
        button->setAutoRaise(false);
        const auto handler = place.handler;
        connect(button, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
        this->*place.member = button;
    }

    buildOptions(Panel1);
    const int panelHeight = std::max(BottomPanelHeight, GroupBox1->geometry().bottom() + 1 + 5);
    Panel1->setGeometry(0, ClientHeight - panelHeight, ClientWidth, panelHeight);
    gJatekos->setGeometry(0, 0, ClientWidth, ClientHeight - panelHeight);

    btCancel = new QPushButton(QStringLiteral("Mégsem"), Panel1);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setGeometry(538, 40, 68, 25);
    btCancel->setAutoDefault(false);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    btOK = new QPushButton(QStringLiteral("OK"), Panel1);
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setGeometry(538, 74, 68, 25);
    btOK->setDefault(true);
    connect(btOK, &QPushButton::clicked, this, [this] { btOKClick(); });

    // The register's buttons are flat, but reached by Tab like any other: after the grid they act on.
    for (ui::FlatButton* button : {sbUj, sbMod, sbDel})
        button->setFocusPolicy(Qt::TabFocus);
    setTabOrder(gJatekos, sbUj);
    setTabOrder(sbUj, sbMod);
    setTabOrder(sbMod, sbDel);
    setTabOrder(sbDel, rgFokozat);
}

void TfrmJatekosok::buildGrid()
{
    dsJatekos = new PlayerTableModel(records(), this);
    gJatekos = new QTableView(this);
    gJatekos->setObjectName(QStringLiteral("gJatekos"));
    gJatekos->setGeometry(0, 0, ClientWidth, ClientHeight - BottomPanelHeight);
    gJatekos->setModel(dsJatekos);
    gJatekos->setSelectionBehavior(QAbstractItemView::SelectRows);
    gJatekos->setSelectionMode(QAbstractItemView::SingleSelection);
    gJatekos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gJatekos->setTabKeyNavigation(false);
    gJatekos->setShowGrid(true);
    gJatekos->setWordWrap(false);
    gJatekos->installEventFilter(this);

    // The selection stays visible while another control has the focus.
    QPalette colours = gJatekos->palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    gJatekos->setPalette(colours);

    // A narrow row indicator column; fixed row heights keep a register of any size cheap to show.
    QHeaderView* rows = gJatekos->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(gJatekos->fontMetrics().height() + 4);
    rows->setMinimumWidth(12);
    rows->setDefaultAlignment(Qt::AlignCenter);

    QHeaderView* titles = gJatekos->horizontalHeader();
    titles->setSectionsClickable(true);
    titles->setSortIndicatorShown(false);
    titles->setHighlightSections(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setStretchLastSection(false);
    connect(titles, &QHeaderView::sectionClicked, this,
            [this](int column) { gJatekosTitleBtnClick(column); });

    // Display widths of the register's columns, in characters, and the average's in pixels.
    const int charWidth = gJatekos->fontMetrics().averageCharWidth();
    gJatekos->setColumnWidth(storage::player::Nev, 36 * charWidth);
    gJatekos->setColumnWidth(storage::player::OsszPont, 19 * charWidth);
    gJatekos->setColumnWidth(storage::player::Jatszott, 18 * charWidth);
    gJatekos->setColumnWidth(storage::player::Atlag, 121);

    connect(gJatekos->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_followingCursor || !current.isValid() || !m_register.isOpen())
                    return;
                records().moveTo(current.row());
                dsJatekos->setIndicatorRow(current.row());
                showChoicesOfSelected();
            });
}

void TfrmJatekosok::buildOptions(QWidget* panel)
{
    rgFokozat = new ui::RadioGroup(QStringLiteral("Pontozási mód"), 1, panel);
    rgFokozat->setObjectName(QStringLiteral("rgFokozat"));
    rgFokozat->setItems(texts({"Gyerek", "Kezdő", "Közepes", "Haladó"}));
    rgFokozat->setGeometry(4, 30, 86, 130);

    rgNyelv = new ui::RadioGroup(QStringLiteral("Nyelv"), 1, panel);
    rgNyelv->setObjectName(QStringLiteral("rgNyelv"));
    rgNyelv->setItems(texts({"Magyar", "Angol", "Vegyes"}));
    rgNyelv->setGeometry(94, 30, 84, 130);

    GroupBox1 = new QGroupBox(QStringLiteral("Kategóriák"), panel);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(182, 26, 350, 134);
    GroupBox1->installEventFilter(this);

    cgKatAlap = new ui::RadioGroup(QString(), 1, GroupBox1);
    cgKatAlap->setObjectName(QStringLiteral("cgKatAlap"));
    cgKatAlap->setItems(texts({"Minden", "Választott:"}));
    // Below the frame's top line, wherever the style draws it beside the title.
    const int frameTop = GroupBox1->contentsRect().top();
    cgKatAlap->setGeometry(4, std::max(18, frameTop), 104, 52);

    cgKat = new ui::CheckGroup(2, GroupBox1);
    cgKat->setObjectName(QStringLiteral("cgKat"));
    QStringList categories;
    for (int k = 1; k <= 16; ++k)
        categories << ui::toQt(game::CategoryNames[static_cast<size_t>(k)]);
    cgKat->setItems(categories);
    cgKat->setValue(game::AllCategories);
    // The frame grows to show all sixteen boxes whole in the font and style in use; the bottom panel and
    // the radio groups beside it grow with it, the grid above gives up the room.
    const int boxesTop = std::max(12, frameTop - 2);
    const int boxesHeight = std::max(GroupBox1->height() - boxesTop - 3, cgKat->sizeHint().height());
    cgKat->setGeometry(108, boxesTop, 240, boxesHeight);
    GroupBox1->resize(GroupBox1->width(), boxesTop + boxesHeight + 3);
    const int groupsHeight = GroupBox1->geometry().bottom() + 1 - rgFokozat->y();
    rgFokozat->resize(rgFokozat->width(), groupsHeight);
    rgNyelv->resize(rgNyelv->width(), groupsHeight);

    // The option groups notify on every change, also when the program sets them.
    auto onChosen = [this](ui::RadioGroup* group, void (TfrmJatekosok::*handler)()) {
        for (int i = 0; i < group->count(); ++i) {
            connect(group->button(i), &QRadioButton::toggled, this, [this, handler](bool checked) {
                if (checked)
                    (this->*handler)();
            });
        }
    };
    onChosen(rgFokozat, &TfrmJatekosok::rgFokozatClick);
    onChosen(rgNyelv, &TfrmJatekosok::rgNyelvClick);
    onChosen(cgKatAlap, &TfrmJatekosok::cgKatAlapChange);
}

void TfrmJatekosok::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui::centreOnDesktop(*this);
    // The game wrote the current player's figures since the last showing.
    showRegister();
    gJatekos->setFocus();
}

bool TfrmJatekosok::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == gJatekos && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && (key->modifiers() & Qt::ControlModifier)) {
            gJatekosCtrlDelete();
            return true;
        }
        // The grid never edits in place, and Insert does not add a row.
        if (key->key() == Qt::Key_Insert)
            return true;
    }
    if (watched == GroupBox1 && event->type() == QEvent::MouseButtonPress)
        GroupBox1Click();
    return QDialog::eventFilter(watched, event);
}
