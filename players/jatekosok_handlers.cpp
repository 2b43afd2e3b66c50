// The player dialog's behaviour: opening and closing the register, restoring the last player, sorting,
// adding, renaming and deleting players, the category mode, and handing the choice to the game.
#include "game/tables.h"
#include "players/jatekosok_dialog.h"
#include "players/nev_window.h"
#include "players/player_model.h"
#include "storage/file_names.h"
#include "storage/schemas.h"
#include "storage/settings_store.h"
#include "storage/storage_error.h"
#include "ui/check_group.h"
#include "ui/error_box.h"
#include "ui/modal.h"
#include "ui/radio_group.h"
#include "ui/text.h"
#include "ui/title.h"

#include <QTableView>
#include <array>

namespace {
// An error that reaches a handler is shown and the program goes on; a half-made change is dropped.
template <typename Action>
void guarded(const ui::ModalRunner& modal, QWidget* window, storage::Table& table, Action action)
{
    try {
        action();
    } catch (const std::exception& error) {
        if (table.isOpen())
            table.cancel();
        ui::showError(modal, window, error.what());
    }
}

uint32_t categoryMask(int32_t categories) { return static_cast<uint32_t>(categories & game::AllCategories); }
} // namespace

// ---------------------------------------------------------------- creation and end

void TfrmJatekosok::FormCreate(const PlayerDialogStart& start)
{
    // Errors of the creation are shown over the main window, this dialog's parent.
    QWidget* main = parentWidget();
    m_clearPlayer = start.clearPlayer;
    try {
        dbJatekos.setFilePath(start.programFolder + storage::PlayerRegisterFile);
        dbJatekos.open();
    } catch (const std::exception& error) {
        // The records read before the error stay; no player is restored from a damaged register.
        showRegister();
        ui::showError(m_modal, main, storage::namingFile(error.what(), dbJatekos.filePath()));
        return;
    }
    showRegister();
    guarded(m_modal, main, dbJatekos, [this, &start] { restoreLastPlayer(start); });
}

void TfrmJatekosok::restoreLastPlayer(const PlayerDialogStart& start)
{
    const std::string lastPlayer = start.settings.ReadSettingStr("Last", "User", "");
    if (!players::locateByName(dbJatekos, lastPlayer))
        return;
    selectCursorRow();
    m_currentPlayer = players::currentRecordId(dbJatekos);
    m_restoredOptions = RoundOptions {start.level, start.language, start.categories};
    showRestoredOptions();
    start.restorePlayer(players::currentFigures(dbJatekos));
}

void TfrmJatekosok::showRestoredOptions()
{
    if (!isBuilt() || !m_restoredOptions)
        return;
    rgFokozat->setItemIndex(m_restoredOptions->level - 1);
    rgNyelv->setItemIndex(m_restoredOptions->language - 1);
    cgKat->setValue(categoryMask(m_restoredOptions->categories));
}

void TfrmJatekosok::FormDestroy()
{
    if (!dbJatekos.isOpen())
        return;
    const storage::SaveOutcome saved = dbJatekos.close();
    if (!saved.ok())
        ui::showError(m_modal, nullptr, saved.error);
    if (!saved.keptBackup.empty())
        m_keptBackup = saved.keptBackup;
    if (!m_keptBackup.empty())
        ui::showBackupKept(m_modal, nullptr, m_keptBackup);
}

// ---------------------------------------------------------------- the game's side

void TfrmJatekosok::saveRegisterQuietly()
{
    // A failure is said once, by the exit save, not after every round; so is a damaged register kept aside.
    const storage::SaveOutcome saved = dbJatekos.save();
    if (!saved.keptBackup.empty())
        m_keptBackup = saved.keptBackup;
}

void TfrmJatekosok::storeCurrentPlayerTotals(int32_t total, int32_t rounds)
{
    if (m_currentPlayer == players::NoRecord || !dbJatekos.isOpen())
        return;
    players::writeTotals(dbJatekos, m_currentPlayer, total, rounds);
    if (!m_modal.stopped()) // the session is ending, perhaps with the display gone: no widget is touched
        showRegister();
}

void TfrmJatekosok::loadOptions(int32_t level, int32_t language, int32_t categories)
{
    ensureBuilt();
    cgKat->setEnabled(true);
    cgKat->setValue(categoryMask(categories));
    rgFokozat->setItemIndex(level - 1);
    rgNyelv->setItemIndex(language - 1);
    cgKatAlap->setItemIndex(categories == game::AllCategories ? 0 : 1);
    cgKat->setEnabled(cgKatAlap->itemIndex() == 1);
}

players::PlayerFigures TfrmJatekosok::takeSelectedPlayer(int32_t currentTotal, int32_t currentRounds)
{
    dbJatekos.refresh();
    const players::RecordId chosen = players::currentRecordId(dbJatekos);
    // What the current player gained since being taken goes into their record before any record is read,
    // so choosing the same player again loses nothing.
    if (m_currentPlayer != players::NoRecord)
        players::writeTotals(dbJatekos, m_currentPlayer, currentTotal, currentRounds);
    players::moveToRecord(dbJatekos, chosen);
    m_currentPlayer = chosen;
    showRegister();
    return players::currentFigures(dbJatekos);
}

int32_t TfrmJatekosok::chosenLevel() const { return rgFokozat->itemIndex() + 1; }
int32_t TfrmJatekosok::chosenLanguage() const { return rgNyelv->itemIndex() + 1; }
int32_t TfrmJatekosok::chosenCategories() const { return static_cast<int32_t>(cgKat->value()); }

// ---------------------------------------------------------------- the register in the grid

void TfrmJatekosok::showRegister()
{
    if (!isBuilt())
        return; // the grid shows the register when it is made
    // A hidden grid that reloads is read out by a screen reader as if it had the focus: it waits for its
    // show.
    if (!isVisible()) {
        m_registerStale = true;
        return;
    }
    m_registerStale = false;
    m_followingCursor = true;
    dsJatekos->reload();
    m_followingCursor = false;
    selectCursorRow();
}

void TfrmJatekosok::selectCursorRow()
{
    if (!isBuilt())
        return;
    const int row = dbJatekos.isOpen() && !dbJatekos.isEmpty() ? dbJatekos.currentPosition() : -1;
    m_followingCursor = true;
    if (row >= 0) {
        const QModelIndex index = dsJatekos->index(row, 0);
        gJatekos->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        gJatekos->scrollTo(index);
    } else {
        gJatekos->selectionModel()->clear();
    }
    dsJatekos->setIndicatorRow(row);
    m_followingCursor = false;
}

void TfrmJatekosok::gJatekosTitleBtnClick(int column)
{
    // The average has an order of its own but a click on its title keeps the order as it is.
    static constexpr std::array<const char*, 3> orders = {"iNev", "iOsszPont", "iJatszott"};
    if (column < 0 || column >= static_cast<int>(orders.size()) || !dbJatekos.isOpen())
        return;
    guarded(m_modal, this, dbJatekos, [&] {
        dbJatekos.selectSortOrder(orders[static_cast<size_t>(column)]);
        showRegister();
    });
}

void TfrmJatekosok::enterName(bool newPlayer)
{
    TfrmNev& entry = *m_nameEntry;
    guarded(m_modal, this, dbJatekos, [&] {
        dbJatekos.refresh();
        if (newPlayer) {
            dbJatekos.append();
            dbJatekos.setString(storage::player::Nev, "");
        } else {
            dbJatekos.edit();
        }
        entry.setName(ui::toQt(dbJatekos.asString(storage::player::Nev)));
        if (m_modal.showModal(entry) == QDialog::Accepted) {
            dbJatekos.setString(storage::player::Nev, ui::fromQt(entry.name()));
            dbJatekos.post();
        } else {
            dbJatekos.cancel();
        }
    });
    showRegister();
    // Back on the register, its record chosen: Enter now confirms the dialog, not the button again.
    if (gJatekos->isVisible())
        gJatekos->setFocus(Qt::OtherFocusReason);
}

void TfrmJatekosok::sbUjClick()
{
    if (dbJatekos.isOpen())
        enterName(true);
}

void TfrmJatekosok::sbModClick()
{
    if (dbJatekos.isOpen() && !dbJatekos.isEmpty())
        enterName(false);
}

void TfrmJatekosok::sbDelClick()
{
    if (!dbJatekos.isOpen() || dbJatekos.isEmpty())
        return;
    // The question names the player on a line below it: two players may share a name, but the one asked
    // about is the selected row's.
    const QString name = ui::toQt(dbJatekos.asString(storage::player::Nev));
    const auto answer
        = m_modal.showMessage(this, QMessageBox::Warning, ui::applicationTitle(),
                              QStringLiteral("Biztos törli?"), QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::NoButton, QStringLiteral("A törlendő játékos: „%1”").arg(name));
    if (answer == QMessageBox::Yes)
        deleteSelectedPlayer();
}

void TfrmJatekosok::btOKClick()
{
    // OK with nobody to choose used to close without a word, and the game stayed without a player.
    if (dbJatekos.isOpen() && dbJatekos.isEmpty()) {
        m_modal.showMessage(this, QMessageBox::Information, ui::applicationTitle(),
                            QStringLiteral("Még nincs játékos, akit kiválaszthatna."), QMessageBox::Ok,
                            QMessageBox::NoButton,
                            QStringLiteral("Az „Új név” gombbal vegyen fel egy játékost, majd nyomja meg az "
                                           "OK gombot."));
        return;
    }
    accept();
}

void TfrmJatekosok::gJatekosCtrlDelete()
{
    if (!dbJatekos.isOpen() || dbJatekos.isEmpty())
        return;
    const auto answer
        = m_modal.showMessage(this, QMessageBox::Question, ui::applicationTitle(),
                              QStringLiteral("Delete record?"), QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        deleteSelectedPlayer();
}

void TfrmJatekosok::deleteSelectedPlayer()
{
    guarded(m_modal, this, dbJatekos, [this] {
        const players::RecordId deleted = players::currentRecordId(dbJatekos);
        dbJatekos.deleteRecord();
        dbJatekos.refresh();
        // A deleted current player has no record left for the exit save to write into, and the main window
        // must not go on playing rounds whose points would land nowhere.
        if (deleted == m_currentPlayer) {
            m_currentPlayer = players::NoRecord;
            m_clearPlayer();
        }
    });
    showRegister();
}

// ---------------------------------------------------------------- options

void TfrmJatekosok::cgKatAlapChange()
{
    const bool chosenOnly = cgKatAlap->itemIndex() == 1;
    cgKat->setEnabled(chosenOnly);
    if (!chosenOnly)
        cgKat->setValue(categoryMask(game::AllCategories));
}

void TfrmJatekosok::focusGridIfShown()
{
    // The same notifications arrive while the hidden dialog is being prepared.
    if (isVisible())
        gJatekos->setFocus();
}

void TfrmJatekosok::rgFokozatClick() { focusGridIfShown(); }
void TfrmJatekosok::rgNyelvClick() { focusGridIfShown(); }
void TfrmJatekosok::GroupBox1Click() { focusGridIfShown(); }
