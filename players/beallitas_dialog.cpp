#include "players/beallitas_dialog.h"

#include "ui/centre.h"
#include "ui/fonts.h"
#include "ui/radio_group.h"
#include "ui/spin_field.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

TfrmBeallitas::TfrmBeallitas(QWidget* parent)
    : BuiltOnFirstShow(parent)
{
    setObjectName(QStringLiteral("frmBeallitas"));
    setWindowTitle(QStringLiteral("Beállítások"));
}

void TfrmBeallitas::buildWindow()
{
    setFont(ui::defaultFont());
    Label1 = new QLabel(QStringLiteral("Maximálisan megengedett hiba:\n(0 nincs hibahatár)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    eMaxHiba = new ui::SpinField(this);
    eMaxHiba->setObjectName(QStringLiteral("eMaxHiba"));
    eMaxHiba->setRange(0, MaxLimit);
    eMaxHiba->setMinimumWidth(56);
    eMaxHiba->setAccessibleName(QStringLiteral("Maximálisan megengedett hiba (0 nincs hibahatár)"));
    Label1->setBuddy(eMaxHiba);

    rgPontos = new ui::RadioGroup(QString(), 1, this);
    rgPontos->setObjectName(QStringLiteral("rgPontos"));
    rgPontos->setAccessibleName(QStringLiteral("Nehézségi szintek"));
    rgPontos->setItems({QStringLiteral("A bejelölt és a gyengébb nehézségi szintet engedi"),
                        QStringLiteral("Csak a bejelölt nehézségi szintet engedi")});

    cbBillentyu = new QCheckBox(QStringLiteral("Tippelés a billentyűzetről"), this);
    cbBillentyu->setObjectName(QStringLiteral("cbBillentyu"));

    cbNemIsmetel = new QCheckBox(QStringLiteral("Ne ismételjen hamar"), this);
    cbNemIsmetel->setObjectName(QStringLiteral("cbNemIsmetel"));
    // The box's own text is short; what it does is said in full to the mouse and to a screen reader.
    const QString noRepeatMeaning
        = QStringLiteral("Nem ad olyan feladványt, amely az utolsó körökben már volt");
    cbNemIsmetel->setToolTip(noRepeatMeaning);
    cbNemIsmetel->setAccessibleName(noRepeatMeaning);
    cbNemIsmetel->setChecked(true);

    btOK = new QPushButton(QStringLiteral("OK"), this);
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setDefault(true);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);

    btCancel = new QPushButton(QStringLiteral("Mégsem"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setAutoDefault(false);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);

    // Laid out rather than placed: the window is resizable, and the item texts are never cut off.
    auto* limitRow = new QHBoxLayout;
    limitRow->addWidget(Label1, 1);
    limitRow->addWidget(eMaxHiba, 0, Qt::AlignTop);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(btOK);
    buttonRow->addWidget(btCancel);
    buttonRow->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->addLayout(limitRow);
    column->addWidget(rgPontos, 1);
    column->addWidget(cbBillentyu);
    column->addWidget(cbNemIsmetel);
    column->addLayout(buttonRow);
    const QSize needed = sizeHint();
    // Each check box adds its own line and no more.
    const int checkBoxLines
        = cbBillentyu->sizeHint().height() + cbNemIsmetel->sizeHint().height() + 2 * column->spacing();
    resize(std::max(257, needed.width()), std::max(188 + checkBoxLines, needed.height()));
}

void TfrmBeallitas::loadSettings(int32_t maxMistakes, int32_t exactLevel)
{
    ensureBuilt();
    eMaxHiba->setValue(std::clamp<int32_t>(maxMistakes, 0, MaxLimit));
    rgPontos->setItemIndex(exactLevel);
}

int32_t TfrmBeallitas::chosenMaxMistakes()
{
    // Enter confirms while the field may still hold typed text: it is read and brought into range first.
    eMaxHiba->interpretTypedText();
    return eMaxHiba->value();
}

int32_t TfrmBeallitas::chosenExactLevel() const { return std::max(rgPontos->itemIndex(), 0); }

void TfrmBeallitas::loadKeyboardPlay(bool on)
{
    ensureBuilt();
    cbBillentyu->setChecked(on);
}

bool TfrmBeallitas::chosenKeyboardPlay() const { return cbBillentyu->isChecked(); }

void TfrmBeallitas::loadAvoidRepeats(bool on)
{
    ensureBuilt();
    cbNemIsmetel->setChecked(on);
}

bool TfrmBeallitas::chosenAvoidRepeats() const { return cbNemIsmetel->isChecked(); }

void TfrmBeallitas::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui::centreOnDesktop(*this);
    eMaxHiba->setFocus();
    eMaxHiba->selectAll();
}
