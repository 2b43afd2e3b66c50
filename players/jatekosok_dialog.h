#pragma once
// The player register and the round options; made at start-up, it opens the register and restores the last
// player. Its controls are made at its first showing.

#include "players/player_register.h"
#include "storage/table.h"
#include "ui/built_on_first_show.h"

#include <QDialog>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QGroupBox;
class QPushButton;
class QTableView;
class PlayerTableModel;
class TfrmNev;

namespace storage {
class SettingsStore;
}

namespace ui {
class CheckGroup;
class FlatButton;
class ModalRunner;
class RadioGroup;
} // namespace ui

// What the player dialog is given at its creation by the game: the register lies in `programFolder`;
// "Last"/"User" in `settings` names the player to restore, shown with the round options `level`, `language`
// and `categories`; `restorePlayer` takes a restored player over into the game, and `clearPlayer` ends the
// game's current player when that player's record is deleted.
struct PlayerDialogStart
{
    std::string programFolder;
    const storage::SettingsStore& settings;
    int32_t level;
    int32_t language;
    int32_t categories;
    std::function<void(const players::PlayerFigures&)> restorePlayer;
    std::function<void()> clearPlayer;
};

class TfrmJatekosok : public ui::BuiltOnFirstShow<QDialog>
{
    Q_OBJECT

public:
    // Opens the register and restores the last player; errors are shown over `parent`, the main window.
    TfrmJatekosok(const PlayerDialogStart& start, const ui::ModalRunner& modal, QWidget* parent = nullptr);
    ~TfrmJatekosok() override;

    // The name entry, made after this dialog, that names new and renamed players.
    void setNameEntry(TfrmNev& entry) { m_nameEntry = &entry; }

    // Exit save: writes the current player's totals into that player's own record and posts it;
    // does nothing when no player is current. Errors are thrown (the caller shows them).
    void storeCurrentPlayerTotals(int32_t total, int32_t rounds);

    // Writes the register and closes it, as the dialog's end does; errors and a kept backup are shown.
    void closeRegister() { FormDestroy(); }
    // Writes the register now and keeps it open (a round has ended): a crash later loses nothing of it.
    // A register that cannot be written is left for the exit save to report.
    void saveRegisterQuietly();

    // Fills the option controls from the game's choices before the dialog is shown.
    void loadOptions(int32_t level, int32_t language, int32_t categories);
    // After OK on a non-empty register: the current player's gains go back into their own record, then the
    // selected record becomes the current player. Returns that record's figures.
    players::PlayerFigures takeSelectedPlayer(int32_t currentTotal, int32_t currentRounds);
    int32_t chosenLevel() const;
    int32_t chosenLanguage() const;
    int32_t chosenCategories() const;

    // --- owned state
    storage::Table dbJatekos;
    PlayerTableModel* dsJatekos = nullptr;

    // --- controls, named as on the window
    QTableView* gJatekos = nullptr;
    QWidget* Panel1 = nullptr;
    ui::FlatButton* sbUj = nullptr;
    ui::FlatButton* sbMod = nullptr;
    ui::FlatButton* sbDel = nullptr;
    ui::RadioGroup* rgFokozat = nullptr;
    ui::RadioGroup* rgNyelv = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    ui::RadioGroup* cgKatAlap = nullptr;
    ui::CheckGroup* cgKat = nullptr;
    QPushButton* btCancel = nullptr;
    QPushButton* btOK = nullptr;

    // --- handlers
    void FormCreate(const PlayerDialogStart& start);
    void FormDestroy();
    void gJatekosTitleBtnClick(int column);
    void sbUjClick();
    void sbModClick();
    void sbDelClick();
    // OK: closes with the choice, except on an empty register, where it says that a player is made first.
    void btOKClick();
    void gJatekosCtrlDelete();
    void cgKatAlapChange();
    void rgFokozatClick();
    void rgNyelvClick();
    void GroupBox1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool m_registerStale = false; // changed while hidden: reloaded when shown
    void buildWindow() override;

private:
    void buildControls();
    void buildGrid();
    void buildOptions(QWidget* panel);
    void restoreLastPlayer(const PlayerDialogStart& start);
    void deleteSelectedPlayer();
    // The name entry on a new record (`newPlayer`) or on the cursor's; posted on OK, cancelled otherwise.
    void enterName(bool newPlayer);
    // The grid follows the register: rows afresh, and the cursor's row selected and in view.
    void showRegister();
    void selectCursorRow();
    void focusGridIfShown();

    const ui::ModalRunner& m_modal;
    std::string m_keptBackup; // where a save kept the damaged register that failed to load, told at the close
    TfrmNev* m_nameEntry = nullptr;
    std::function<void()> m_clearPlayer;
    players::RecordId m_currentPlayer = players::NoRecord;
    // The round options shown with the restored last player, until the controls are made to show them.
    struct RoundOptions
    {
        int32_t level;
        int32_t language;
        int32_t categories;
    };
    std::optional<RoundOptions> m_restoredOptions;
    void showRestoredOptions();
    bool m_followingCursor = false; // the grid's selection is being set from the register
};
