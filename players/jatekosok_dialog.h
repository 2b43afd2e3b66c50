#pragma once
// The player register and the round options. The register is the game's (players::Register); this dialog
// shows it and edits its records. Its controls are made at its first showing.

#include "players/player_register.h"
#include "ui/built_on_first_show.h"

#include <QDialog>
#include <cstdint>
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

class TfrmJatekosok : public ui::BuiltOnFirstShow<QDialog>
{
    Q_OBJECT

public:
    TfrmJatekosok(players::Register& playerRegister, const ui::ModalRunner& modal, QWidget* parent = nullptr);
    ~TfrmJatekosok() override;

    // The name entry, made after this dialog, that names new and renamed players.
    void setNameEntry(TfrmNev& entry) { m_nameEntry = &entry; }
    // Where the players' own choices are kept: the selected player's are shown, and a renamed or deleted
    // player's follow their record.
    void setChoicesStore(storage::SettingsStore& store) { m_choicesStore = &store; }

    // Fills the option controls from the game's choices before the dialog is shown; the selected player's
    // own choices, when they have any, are shown instead.
    void loadOptions(int32_t level, int32_t language, int32_t categories);
    // The options a restored player starts with, shown once the controls are made: a dialog that is never
    // opened costs the start-up nothing.
    void restoreOptions(int32_t level, int32_t language, int32_t categories);
    int32_t chosenLevel() const;
    int32_t chosenLanguage() const;
    int32_t chosenCategories() const;

    // --- owned state
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

signals:
    // The record of the game's current player was deleted: nobody is the current player now.
    void currentPlayerDeleted();
    // The rounds played under a name go with it: to the new name of a renamed player, or with a deleted
    // one. Not sent while a namesake still plays under the old name: the rounds stay theirs.
    void playerRenamed(const std::string& oldName, const std::string& newName);
    void playerDeleted(const std::string& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void buildWindow() override;

private:
    void buildControls();
    void buildGrid();
    void buildOptions(QWidget* panel);
    void deleteSelectedPlayer();
    // The name entry on a new record (`newPlayer`) or on the cursor's; posted on OK, cancelled otherwise.
    void enterName(bool newPlayer);
    // The grid follows the register: rows afresh, and the cursor's row selected and in view.
    void showRegister();
    void selectCursorRow();
    void focusGridIfShown();
    void showOptions(int32_t level, int32_t language, int32_t categories);
    // The option controls show the cursor's player's own choices; without any they stay as they are.
    void showChoicesOfSelected();

    storage::Table& records() { return m_register.table(); }

    players::Register& m_register;
    const ui::ModalRunner& m_modal;
    TfrmNev* m_nameEntry = nullptr;
    storage::SettingsStore* m_choicesStore = nullptr;
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
