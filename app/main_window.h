#pragma once
// The main window: board, keyboard, toolbar and status bar; it owns the game variables, the puzzle list, the
// player register and the settings store. Its handlers for rounds, the editor and the player options live in
// the app/main_*.cpp files named in the marked sections.

#include "app/game_windows.h"
#include "app/startup_options.h"
#include "editor/editor_board.h"
#include "editor/new_puzzle.h"
#include "game/game_variables.h"
#include "game/round.h"
#include "players/history.h"
#include "players/player_register.h"
#include "players/round_history.h"
#include "storage/schemas.h"
#include "storage/settings_store.h"
#include "storage/table.h"
#include "ui/key_release_guard.h"

#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <random>
#include <vector>

class QKeyEvent;
class QLabel;
class QShortcut;
class QToolButton;
class TfrmHogyan;
class TfrmStatisztika;

namespace ui {
class BoardCell;
class FlatButton;
class Gauge;
class ModalRunner;
class StatusBar;
} // namespace ui

// The game variables are the window's own: others read them through variables().
class TfrmMain : public QWidget, private game::GameVariables
{
    Q_OBJECT

public:
    TfrmMain(Windows& windows, const ui::ModalRunner& modal, const StartupOptions& options,
             QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The four modes of the window and what the toolbar and keyboard look like in each.
    // EditorLeft is "between rounds" as reached by leaving the editor: tbUj only with puzzles and a player.
    enum class Mode { NoPlayer, BetweenRounds, RoundInPlay, Editor, EditorLeft };
    struct RoundTraits
    {
        bool hasHint = false; // PuzzleHint1 + PuzzleHint2 not empty
        bool englishRound = false; // the accented letters cannot occur
    };
    void applyMode(Mode mode, RoundTraits round);
    void applyMode(Mode mode) { applyMode(mode, RoundTraits()); }

    void ResetBoard(bool ClearCells, bool SetButtons, bool ButtonsEnabled);

    // Cell k (1..39) and letter button k (1..35), addressed by number as the game does.
    ui::BoardCell* cell(int number) const;
    ui::FlatButton* letterButton(int number) const;

    void SaveSession();
    bool sessionSaved() const { return m_sessionSaved; }

    Windows& windows() { return m_windows; }
    const ui::ModalRunner& modal() const { return m_modal; }

    const game::GameVariables& variables() const { return *this; }
    // The round in play, or the last one: its puzzle, hidden cells, mistakes and score.
    const game::Round& round() const { return m_round; }
    // The puzzle being typed in editor mode and its selected cell.
    const editor::EditorBoard& editorBoard() const { return m_editorBoard; }

    // --- owned state
    storage::Table dbLista {storage::puzzleColumns()};
    storage::SettingsStore SettingsStore;
    players::Register& playerRegister() { return m_register; }
    // Every round that ended, oldest first; the history file is read at the first call (a damaged one is
    // said then, over this window).
    const std::vector<players::RoundRecord>& roundHistory();

    // --- controls, named as on the window
    QWidget* Toolbar971 = nullptr;
    QToolButton* tbJatekos = nullptr;
    QToolButton* tbSave = nullptr;
    QToolButton* tbLoad = nullptr;
    QToolButton* tbBeallitas = nullptr;
    QToolButton* tbUj = nullptr;
    QToolButton* tbInfo = nullptr;
    QToolButton* tbMaganh = nullptr;
    QToolButton* tbSzabad = nullptr;
    QToolButton* tbMod = nullptr;
    QToolButton* tbAdatlap = nullptr;
    QToolButton* tbModOK = nullptr;
    QToolButton* tbModCancel = nullptr;
    QToolButton* tbExit = nullptr;
    QToolButton* tbHogyan = nullptr; // "Hogyan játsszunk?", also on F1
    QToolButton* tbNapi = nullptr; // "A nap feladványa"
    QToolButton* tbStatisztika = nullptr; // where tbSave, hidden, would be
    QLabel* RxLabel1 = nullptr;
    QLabel* lNev = nullptr;
    QLabel* RxLabel2 = nullptr;
    QLabel* lOsszPont = nullptr;
    QLabel* lKategoria = nullptr;
    QLabel* eSugo1 = nullptr;
    QLabel* eSugo2 = nullptr;
    QLabel* eInfo = nullptr;
    // With no player: what to do first, where the category and hints show in a round.
    QLabel* lTeendo = nullptr;
    std::array<ui::BoardCell*, 39> p {}; // p[0] is p1
    ui::FlatButton* sb1b = nullptr;
    ui::FlatButton* sb2b = nullptr;
    ui::FlatButton* sb3b = nullptr;
    ui::FlatButton* sb1j = nullptr;
    ui::FlatButton* sb2j = nullptr;
    ui::FlatButton* sb3j = nullptr;
    std::array<ui::FlatButton*, 6> rowScrollButtons() const { return {sb1b, sb2b, sb3b, sb1j, sb2j, sb3j}; }
    QLabel* lFokozat = nullptr;
    QLabel* lMostPont = nullptr;
    ui::Gauge* eHiba = nullptr;
    QWidget* Panel1 = nullptr;
    std::array<ui::FlatButton*, 35> b {}; // b[0] is b1
    ui::StatusBar* sBar = nullptr;

    // --- keyboard play (app/main_keyboard.cpp): off unless the player turns it on in the settings
    bool keyboardPlay() const { return m_keyboardPlay; }
    // On: typed letters press their buttons during a round, the toolbar answers to its shortcuts (shown in
    // the tool tips) and the result windows close from the keyboard. Off: keys leave a round alone.
    void setKeyboardPlay(bool on);
    // The player's own choice in the settings: from then on a screen reader no longer switches it. It is
    // the current player's own choice too.
    void chooseKeyboardPlay(bool on);
    // A player became current: their own keyboard play, or without one the shared setting, or a screen
    // reader's.
    void followPlayerKeyboardPlay(std::optional<bool> own);
    // With a board cell focused: the arrow keys (Home, End) move the focus to the next cell that way.
    bool moveOnBoard(QKeyEvent* event);

    // --- players and settings (app/main_players.cpp)
    // The start-up step after the windows are made: the register is read and the last player taken over.
    void restoreLastPlayer();
    // Takes over the chosen player and round options and shows them; ends a round in play.
    void ApplyPlayerChoice(const std::string& name, int32_t total, int32_t rounds, int32_t level,
                           int32_t language);
    // The current player was deleted: back to the no-player state of the first start, a round in play ended.
    void ClearPlayer();
    // A player renamed in the player dialog keeps their rounds; a deleted one's go. Written at once.
    void renamePlayerRounds(const std::string& oldName, const std::string& newName);
    void removePlayerRounds(const std::string& name);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The handlers are the window's own: only its controls' signals and its events call them.
    // --- this window's handlers
    void FormCreate();
    void tbSaveClick();
    void tbLoadClick();
    void tbExitClick();
    void tbHogyanClick();
    void tbStatisztikaClick();
    bool FormCloseQuery();

    // --- rounds (app/main_round.cpp)
    void connectRoundHandlers();
    void sbUjClick();
    void b1Click(ui::FlatButton* Sender);
    void ShowLoss();
    void ShowWin();
    void tbInfoClick();
    void tbMaganhClick();
    void tbSzabadClick();
    void tbNapiClick();
    // The round in play goes into the history with its outcome and the score it credited.
    void recordRound(int32_t outcome, int32_t creditedScore);
    // A round in play ended by a player switch or the exit: recorded as abandoned, scoring nothing.
    void recordAbandonedRound();
    // The local time now, in minutes since 1970.
    int32_t clockMinutes() const;
    // Before a puzzle is laid: the round's buttons and a blank board.
    void prepareDraw();
    // Shows the round just laid on the board (the toolbar, the category and the hidden cells) and starts
    // its history record; `listText` is the puzzle as the list holds it.
    void showDrawnRound(int32_t category, const std::string& listText, bool daily);

    // --- editor (app/main_editor.cpp)
    void connectEditorHandlers();
    void FormKeyPress(QKeyEvent* event);
    void FormKeyUp(QKeyEvent* event);
    void tbModClick();
    void tbModCancelClick();
    void tbModOKClick();
    void tbAdatlapClick();
    void eInfoDblClick();
    void p1MouseDown(ui::BoardCell* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                     bool DoubleClick);
    void sb1jClick(ui::FlatButton* Sender);
    // The details dialog over the board's rows; nothing when it was not confirmed.
    std::optional<editor::PuzzleDetails> ShowPuzzleDetails();
    void leaveEditorMode();

    // A typed letter during a round with keyboard play on: its button is pressed when usable. Returns
    // whether the key was such a letter.
    bool pressTypedLetter(QKeyEvent* event);
    // Enter between rounds with keyboard play on: the next puzzle. Returns whether the key was Enter.
    bool drawOnEnter(QKeyEvent* event);

    // Screen readers hear each move of a round and each new puzzle (app/main_announce.cpp).
    void announceMove(char letter, const game::RoundMove& move);
    void announceDraw(const QString& category);
    void announceHints();
    // After the player dialog's OK: who plays now.
    void announcePlayer();
    // After a result window: the round's score and the player's new total.
    void announceRoundEnd();
    // Before a result window: the move that ended the round is said before the window is.
    void sayAnnouncementsNow();
    // A letter typed again: its button's spoken name says why nothing happens.
    void announceUsedLetter(ui::FlatButton* button);
    // The spoken name of a letter button says whether it is still free, as its grey look does on screen.
    enum class LetterState { Free, Used, NotInRound };
    void nameLetterButton(ui::FlatButton* button, LetterState state);

    // --- players and settings (app/main_players.cpp)
    void connectPlayerHandlers();
    void tbJatekosClick();
    void tbBeallitasClick();
    // The settings the game plays by from now on; the round's mistake limit follows them.
    void useSettings(const game::Settings& settings);
    // The round options in play and the shared keyboard play none of them own, as a player without choices
    // of their own starts with.
    game::PlayerChoices sharedChoices() const;
    // A save or a close of a table: what went wrong and a kept backup are shown over this window.
    void showSaveOutcome(const storage::SaveOutcome& outcome);

    void buildControls();
    void buildToolbar();
    void buildBoard();
    void buildKeyboard();
    void buildStatusBar();
    void buildShortcuts();
    void startupReading();
    bool hasPlayer() const;
    void showFirstStep(bool noPlayer);
    // Rounds: the gauge and the board and keyboard as a move of the round left them; crediting the score.
    void showMistakes();
    void showMove(const game::RoundMove& move);
    void creditRound();
    // After a lost or given-up round's window: the letters that stayed hidden, in their own colour.
    void showAnswerOnBoard();
    // The register written as soon as a round ends, the list as soon as the editor stored a puzzle: a crash
    // or a power cut later loses nothing of them. A file that cannot be written is reported by the exit save.
    void keepRoundInRegister(int32_t total);
    void saveListQuietly();
    // Editor: the cells an edit named, drawn from the editor's board.
    void showEdit(const editor::BoardEdit& edit);

    Windows& m_windows;
    const ui::ModalRunner& m_modal;
    StartupOptions m_options;
    // No list was there at start (the shipped one could not be copied): an empty one is not written, so the
    // next start copies it again.
    bool m_listWasMissing = false;
    bool m_sessionSaved = false;
    std::string m_keptListBackup; // where a save kept the damaged list that failed to load, told at the exit
    bool m_closingByExit = false;
    std::mt19937 m_random; // seeded from the clock, or fixed by tests
    game::Round m_round;
    players::Register m_register;
    players::History m_history;
    std::optional<players::RoundRecord> m_roundRecord; // the round in play, until it ends
    editor::EditorBoard m_editorBoard;
    ui::KeyReleaseGuard m_editorKeys; // the last key pressed here: a release only counts after its press
    bool m_keyboardPlay = false; // as the settings' KeyboardPlay says, or following a screen reader
    std::optional<bool> m_playerKeyboardPlay; // the current player's own choice, over the shared one
    bool m_screenReaderSeen = false; // one ran at start or connected since
    std::shared_ptr<void> m_screenReaderObserver;
    void followScreenReader();
    struct ToolbarShortcut
    {
        QToolButton* button;
        QString toolTip; // as the button has it without keyboard play
        QShortcut* shortcut;
    };
    std::vector<ToolbarShortcut> m_toolbarShortcuts;
    TfrmHogyan* m_help = nullptr; // made at its first opening
    TfrmStatisztika* m_statistics = nullptr; // made at its first opening
};
