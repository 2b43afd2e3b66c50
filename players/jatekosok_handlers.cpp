// The player dialog's behaviour: sorting, adding, renaming and deleting players, the category mode, and the
// round options handed to the game.
#include "game/settings.h"
#include "game/tables.h"
#include "players/jatekosok_dialog.h"
#include "players/nev_window.h"
#include "players/player_model.h"
#include "storage/schemas.h"
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

// ---------------------------------------------------------------- the game's side

void TfrmJatekosok::restoreOptions(int32_t level, int32_t language, int32_t categories)
{
    m_restoredOptions = RoundOptions {level, language, categories};
    showRestoredOptions();
}

void TfrmJatekosok::showRestoredOptions()
{
    if (!isBuilt() || !m_restoredOptions)
        return;
    rgFokozat->setItemIndex(m_restoredOptions->level - 1);
    rgNyelv->setItemIndex(m_restoredOptions->language - 1);
    cgKat->setValue(categoryMask(m_restoredOptions->categories));
}

void TfrmJatekosok::loadOptions(int32_t level, int32_t language, int32_t categories)
{
    ensureBuilt();
    showOptions(level, language, categories);
    showChoicesOfSelected();
}

void TfrmJatekosok::showChoicesOfSelected()
{
    if (!m_choicesStore || m_register.isEmpty() || records().currentPosition() < 0)
        return;
    const std::optional<game::PlayerChoices> own
        = game::readPlayerChoices(*m_choicesStore, records().asString(storage::player::Nev), {});
    if (own)
        showOptions(own->PlayLevel, own->PlayLanguage, own->PlayCategories);
}

void TfrmJatekosok::showOptions(int32_t level, int32_t language, int32_t categories)
{
    cgKat->setEnabled(true);
    cgKat->setValue(categoryMask(categories));
    rgFokozat->setItemIndex(level - 1);
    rgNyelv->setItemIndex(language - 1);
    cgKatAlap->setItemIndex(categories == game::AllCategories ? 0 : 1);
    cgKat->setEnabled(cgKatAlap->itemIndex() == 1);
}

int32_t TfrmJatekosok::chosenLevel() const { return rgFokozat->itemIndex() + 1; }
int32_t TfrmJatekosok::chosenLanguage() const { return rgNyelv->itemIndex() + 1; }
int32_t TfrmJatekosok::chosenCategories() const { return static_cast<int32_t>(cgKat->value()); }

// ---------------------------------------------------------------- the register in the grid

void TfrmJatekosok::showRegister()
{
    // A hidden grid that reloads is read out by a screen reader as if it had the focus: it waits for its
    // show, and the grid shows the register when it is made.
    if (!isBuilt() || !isVisible())
        return;
    m_followingCursor = true;
    dsJatekos->reload();
    m_followingCursor = false;
    selectCursorRow();
}

void TfrmJatekosok::selectCursorRow()
{
    if (!isBuilt())
        return;
    const int row = m_register.isEmpty() ? -1 : records().currentPosition();
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
    if (column < 0 || column >= static_cast<int>(orders.size()) || !m_register.isOpen())
        return;
    guarded(m_modal, this, records(), [&] {
        records().selectSortOrder(orders[static_cast<size_t>(column)]);
        showRegister();
    });
}

void TfrmJatekosok::enterName(bool newPlayer)
{
    TfrmNev& entry = *m_nameEntry;
    storage::Table& table = records();
    guarded(m_modal, this, table, [&] {
        table.refresh();
        if (newPlayer) {
            table.append();
            table.setString(storage::player::Nev, "");
        } else {
            table.edit();
        }
        const std::string oldName = table.asString(storage::player::Nev);
        entry.setName(ui::toQt(oldName));
        if (m_modal.showModal(entry) == QDialog::Accepted) {
            table.setString(storage::player::Nev, ui::fromQt(entry.name()));
            table.post();
            // The choices go with the renamed record; a namesake left behind keeps them too.
            const std::string newName = table.asString(storage::player::Nev);
            const bool namesakeLeft = players::hasPlayerNamed(table, oldName);
            if (!newPlayer && m_choicesStore)
                game::renamePlayerChoices(*m_choicesStore, oldName, newName, namesakeLeft);
            if (!newPlayer && !namesakeLeft && newName != oldName)
                emit playerRenamed(oldName, newName);
        } else {
            table.cancel();
        }
    });
    showRegister();
    // Back on the register, its record chosen: Enter now confirms the dialog, not the button again.
    if (gJatekos->isVisible())
        gJatekos->setFocus(Qt::OtherFocusReason);
}

void TfrmJatekosok::sbUjClick()
{
    if (m_register.isOpen())
        enterName(true);
}

void TfrmJatekosok::sbModClick()
{
    if (!m_register.isEmpty())
        enterName(false);
}

void TfrmJatekosok::sbDelClick()
{
    if (m_register.isEmpty())
        return;
    // The question names the player on a line below it: two players may share a name, but the one asked
    // about is the selected row's.
    const QString name = ui::toQt(records().asString(storage::player::Nev));
    const auto answer = m_modal.showMessage(
        this, QMessageBox::Warning, ui::applicationTitle(), QStringLiteral("Biztos törli?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton,
        QStringLiteral("A törlendő játékos: „%1”\nAz eddigi körei is törlődnek a statisztikából.").arg(name));
    if (answer == QMessageBox::Yes)
        deleteSelectedPlayer();
}

void TfrmJatekosok::btOKClick()
{
    // OK with nobody to choose used to close without a word, and the game stayed without a player.
    if (m_register.isOpen() && m_register.isEmpty()) {
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
    if (m_register.isEmpty())
        return;
    const auto answer
        = m_modal.showMessage(this, QMessageBox::Question, ui::applicationTitle(),
                              QStringLiteral("Delete record?"), QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        deleteSelectedPlayer();
}

void TfrmJatekosok::deleteSelectedPlayer()
{
    guarded(m_modal, this, records(), [this] {
        const std::string name = records().asString(storage::player::Nev);
        // A deleted current player has no record left for the exit save to write into, and the main window
        // must not go on playing rounds whose points would land nowhere.
        if (m_register.deleteSelected())
            emit currentPlayerDeleted();
        // A namesake still in the register plays by the same section.
        if (!players::hasPlayerNamed(records(), name)) {
            if (m_choicesStore)
                game::removePlayerChoices(*m_choicesStore, name);
            emit playerDeleted(name);
        }
    });
    showRegister();
    showChoicesOfSelected();
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
