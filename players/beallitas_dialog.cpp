#include "players/beallitas_dialog.h"

#include "ui/centre.h"
#include "ui/fonts.h"
#include "ui/radio_group.h"
#include "ui/spin_field.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

TfrmBeallitas::TfrmBeallitas(Windows& windows, QWidget* parent)
    : QDialog(parent)
    , m_windows(windows)
{
    setObjectName(QStringLiteral("frmBeallitas"));
    setWindowTitle(QStringLiteral("Beállítások"));
    setFont(ui::defaultFont());
    resize(257, 188);

    Label1 = new QLabel(QStringLiteral("Maximálisan megengedett hiba:\n(0 nincs hibahatár)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 10, 180, 32);

    eMaxHiba = new ui::SpinField(this);
    eMaxHiba->setObjectName(QStringLiteral("eMaxHiba"));
    eMaxHiba->setRange(0, MaxLimit);
    eMaxHiba->setGeometry(192, 12, 56, 24);

    rgPontos = new ui::RadioGroup(QString(), 1, this);
    rgPontos->setObjectName(QStringLiteral("rgPontos"));
    rgPontos->setItems({QStringLiteral("A bejelölt és a gyengébb nehézségi szintet engedi"),
                        QStringLiteral("Csak a bejelölt nehézségi szintet engedi")});
    rgPontos->setGeometry(4, 48, 249, 88);
    // The two items are long for the width: let them break into lines rather than be cut off.
    for (int i = 0; i < rgPontos->count(); ++i)
        rgPontos->button(i)->setMinimumWidth(0);

    btOK = new QPushButton(QStringLiteral("OK"), this);
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setGeometry(48, 150, 75, 25);
    btOK->setDefault(true);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);

    btCancel = new QPushButton(QStringLiteral("Mégsem"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));
    btCancel->setGeometry(134, 150, 75, 25);
    btCancel->setAutoDefault(false);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmBeallitas::loadSettings(int32_t maxMistakes, int32_t exactLevel)
{
    eMaxHiba->setValue(std::clamp<int32_t>(maxMistakes, 0, MaxLimit));
    rgPontos->setItemIndex(exactLevel);
}

int32_t TfrmBeallitas::chosenMaxMistakes()
{
    // Enter confirms while the field may still hold typed text: it is read and brought into range first.
    eMaxHiba->interpretTypedText();
    return eMaxHiba->value();
}

int32_t TfrmBeallitas::chosenExactLevel() const
{
    return std::max(rgPontos->itemIndex(), 0);
}

void TfrmBeallitas::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui::centreOnDesktop(*this);
    eMaxHiba->setFocus();
    eMaxHiba->selectAll();
}
