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

// Types text as key presses carrying the characters (QTest::keyClicks knows only ASCII).
inline void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

class PlayersTest : public testing_support::WindowTest
{
protected:
    TfrmJatekosok& dialog() { return *windows.frmJatekosok; }

    // Clicks tbJatekos; `inside` acts while the player dialog is shown and must close it.
    void withPlayerDialog(std::function<void(TfrmJatekosok&)> inside)
    {
        modals.expect([inside](QDialog& shown) {
            auto* players = qobject_cast<TfrmJatekosok*>(&shown);
            ASSERT_NE(players, nullptr) << "expected the player dialog";
            inside(*players);
        });
        click(main().tbJatekos);
    }

    // The next name entry: `typed` is typed into it, then the key released closes it (Enter or Esc).
    void expectNameEntry(const QString& typed, Qt::Key closingKey = Qt::Key_Return, bool clearFirst = true)
    {
        modals.expect([typed, closingKey, clearFirst](QDialog& shown) {
            auto* entry = qobject_cast<TfrmNev*>(&shown);
            ASSERT_NE(entry, nullptr) << "expected the name entry";
            if (clearFirst)
                entry->eNev->clear();
            typeText(entry->eNev, typed);
            QTest::keyClick(entry->eNev, closingKey);
        });
    }

    static void pressOk(TfrmJatekosok& players) { click(players.btOK); }
    static void pressCancel(TfrmJatekosok& players) { click(players.btCancel); }

    static void clickTitle(TfrmJatekosok& players, int column)
    {
        QHeaderView* titles = players.gJatekos->horizontalHeader();
        const QPoint at(
            titles->sectionViewportPosition(column) + titles->sectionSize(column) / 2, titles->height() / 2);
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
    // Radio buttons and check boxes react to a click on their mark or text, so click near the mark.
    static void clickMark(QAbstractButton* button)
    {
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
    }
    static void chooseLevel(TfrmJatekosok& players, int index)
    {
        clickMark(players.rgFokozat->button(index));
    }
    static void chooseLanguage(TfrmJatekosok& players, int index)
    {
        clickMark(players.rgNyelv->button(index));
    }
    static void chooseCategoryMode(TfrmJatekosok& players, int index)
    {
        clickMark(players.cgKatAlap->button(index));
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
    QString settingsText() { return QString::fromStdString(folder.readFile("Brumvelda.ini")); }

    // Ends the program by its exit button, as the user does, and destroys the windows (writing the register).
    void exitProgram()
    {
        click(main().tbExit);
        endProgram();
    }
};

} // namespace players_testing
