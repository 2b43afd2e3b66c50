#pragma once
// Acting on the player dialog, the name entry and the settings dialog as the user does.

#include "players/beallitas_dialog.h"
#include "players/jatekosok_dialog.h"
#include "players/nev_window.h"
#include "players/player_model.h"
#include "support/window_fixture.h"
#include "ui/check_group.h"
#include "ui/flat_button.h"
#include "ui/gauge.h"
#include "ui/radio_group.h"
#include "ui/spin_field.h"
#include "ui/status_bar.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace players_testing {

using testing_support::choose;
using testing_support::clickMark;
using testing_support::typeText;

class PlayersTest : public testing_support::WindowTest
{
protected:
    // The player dialog with its controls made, as its first showing makes them.
    TfrmJatekosok& dialog()
    {
        windows.frmJatekosok->ensureBuilt();
        return *windows.frmJatekosok;
    }

    // Clicks tbJatekos; `inside` acts while the player dialog is shown and must close it.
    void withPlayerDialog(std::function<void(TfrmJatekosok&)> inside)
    {
        withDialog<TfrmJatekosok>(main().tbJatekos, std::move(inside));
    }

    // The next name entry: `typed` is typed into it, then the key released closes it (Enter or Esc).
    void expectNameEntry(const QString& typed, Qt::Key closingKey = Qt::Key_Return, bool clearFirst = true)
    {
        modals.expectDialog<TfrmNev>([typed, closingKey, clearFirst](TfrmNev& entry) {
            if (clearFirst)
                entry.eNev->clear();
            typeText(entry.eNev, typed);
            QTest::keyClick(entry.eNev, closingKey);
        });
    }

    static void pressOk(TfrmJatekosok& players) { click(players.btOK); }
    static void pressCancel(TfrmJatekosok& players) { click(players.btCancel); }

    static void clickTitle(TfrmJatekosok& players, int column)
    {
        QHeaderView* titles = players.gJatekos->horizontalHeader();
        const QPoint at(titles->sectionViewportPosition(column) + titles->sectionSize(column) / 2,
                        titles->height() / 2);
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    static void clickRow(TfrmJatekosok& players, int row)
    {
        const QRect cell = players.gJatekos->visualRect(players.dsJatekos->index(row, 0));
        QTest::mouseClick(players.gJatekos->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }
    // Clicks the row showing `name` (the first such row).
    static void clickPlayer(TfrmJatekosok& players, const QString& name)
    {
        for (int row = 0; row < players.dsJatekos->rowCount(); ++row) {
            if (cellText(players, row, 0) == name) {
                clickRow(players, row);
                return;
            }
        }
        ADD_FAILURE() << "no row " << name.toStdString();
    }
    static QString cellText(TfrmJatekosok& players, int row, int column)
    {
        return players.dsJatekos->data(players.dsJatekos->index(row, column)).toString();
    }
    static QStringList names(TfrmJatekosok& players)
    {
        QStringList shown;
        for (int row = 0; row < players.dsJatekos->rowCount(); ++row)
            shown << cellText(players, row, 0);
        return shown;
    }
    static QString selectedName(TfrmJatekosok& players)
    {
        const QModelIndex current = players.gJatekos->currentIndex();
        return current.isValid() ? cellText(players, current.row(), 0) : QString();
    }
    // Leaves exactly the boxes of `categories` (1-based category numbers) checked, clicking as the user does.
    static void checkOnly(TfrmJatekosok& players, std::initializer_list<int> categories)
    {
        for (int i = 0; i < players.cgKat->count(); ++i) {
            const bool wanted = std::find(categories.begin(), categories.end(), i + 1) != categories.end();
            if (players.cgKat->box(i)->isChecked() != wanted)
                clickMark(players.cgKat->box(i));
        }
    }

    QString statusPanel(int index) { return main().sBar->panelText(index); }
    QString settingsText() { return folder.settingsText(); }
};

} // namespace players_testing
