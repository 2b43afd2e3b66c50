// Start-up reading and the exit save of the main window.
#include "app/main_window.h"

#include "app/startup.h"
#include "game/tables.h"
#include "players/jatekosok_dialog.h"
#include "storage/file_names.h"
#include "storage/storage_error.h"
#include "ui/error_box.h"
#include "ui/paint_ahead.h"
#include "ui/text.h"
#include "ui/title.h"

#include <QAccessible>
#include <QToolButton>
#include <cerrno>
#include <chrono>
#include <sys/stat.h>

namespace {

int32_t inRange(int32_t value, int32_t low, int32_t high, int32_t otherwise)
{
    return value >= low && value <= high ? value : otherwise;
}

} // namespace

void TfrmMain::FormCreate()
{
    EditMode = false;
    m_random.seed(m_options.randomSeed
                      ? *m_options.randomSeed
                      : static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    AppDir
        = m_options.programFolder.empty() ? executableFolder() : withTrailingSlash(m_options.programFolder);
    startupReading();
    showMistakes();
    setWindowTitle(ui::applicationTitle() + ' ' + ui::toQt(game::VersionText));
}

void TfrmMain::startupReading()
{
    SettingsStore.setPath(AppDir + storage::SettingsFile);
    MaxMistakes = SettingsStore.ReadSettingInt("Main", "MaxHiba", 10);
    // Before the list is opened: a list that fails to load must not leave the round on its default limit.
    m_round.setMistakeLimit(MaxMistakes);
    ExactLevel = inRange(SettingsStore.ReadSettingInt("Main", "ExactLevel", 0), 0, 1, 0);
    // Unset, keyboard play follows the screen reader: a blind player's first start needs no mouse.
    const int32_t keyboardPlay = SettingsStore.ReadSettingInt("Main", "KeyboardPlay", -1);
    m_keyboardPlayChosen = keyboardPlay == 0 || keyboardPlay == 1;
    const bool screenReader = m_options.screenReader.value_or(QAccessible::isActive());
    setKeyboardPlay(keyboardPlay == 1 || (!m_keyboardPlayChosen && screenReader));
    followScreenReader();
    PlayLanguage = inRange(SettingsStore.ReadSettingInt("Last", "Language", game::Hungarian), game::Hungarian,
                           game::MixedLanguages, game::Hungarian);
    PlayLevel = inRange(SettingsStore.ReadSettingInt("Last", "Level", 1), 1, 4, 1);
    PlayCategories = inRange(SettingsStore.ReadSettingInt("Last", "Categories", game::AllCategories), 1,
                             game::AllCategories, game::AllCategories);

    dbLista.setFilePath(AppDir + storage::PuzzleListFile);
    struct stat listInfo
    {
    };
    m_listWasMissing = ::lstat(dbLista.filePath().c_str(), &listInfo) != 0 && errno == ENOENT;
    // While the list read ahead is still loading, the window paints itself once off-screen: its first paint
    // on the screen, after the list, then has its styles and glyphs ready.
    if (m_options.puzzleList)
        ui::paintAhead(*this);
    try {
        openPuzzleList(dbLista, m_options.puzzleList); // read ahead while Qt started, when main() could
    } catch (const std::exception& error) {
        throw storage::StorageError(storage::namingFile(error.what(), dbLista.filePath()));
    }
    PuzzleCount = dbLista.recordCount();
    // No player is chosen yet; restoring the last one enables tbUj.
    tbUj->setEnabled(false);
}

void TfrmMain::tbSaveClick() { }

void TfrmMain::tbLoadClick() { }

void TfrmMain::tbExitClick()
{
    SaveSession();
    m_closingByExit = true;
    close(); // the last visible window: the event loop ends
}

bool TfrmMain::FormCloseQuery()
{
    SaveSession();
    return true;
}

void TfrmMain::SaveSession()
{
    if (m_sessionSaved)
        return;
    m_sessionSaved = true;

    // Each step runs even when one before it failed: a settings file that cannot be written must not cost
    // the puzzles stored in this run.
    ui::runShowingErrors(m_modal, this, [this] {
        SettingsStore.WriteSettingInt("Last", "Language", PlayLanguage);
        SettingsStore.WriteSettingInt("Last", "Level", PlayLevel);
        SettingsStore.WriteSettingInt("Last", "Categories", PlayCategories);
        // A register that could not be read restored nobody: the last player's name stays for the run that
        // reads the register (or its backup) again.
        const bool registerUnread = m_windows.frmJatekosok && m_windows.frmJatekosok->dbJatekos.loadFailed();
        if (!PlayerName.empty() || !registerUnread)
            SettingsStore.WriteSettingStr("Last", "User", PlayerName);
    });
    ui::runShowingErrors(m_modal, this, [this] {
        if (m_windows.frmJatekosok)
            m_windows.frmJatekosok->storeCurrentPlayerTotals(PlayerTotal, PlayerRounds);
    });
    storage::SaveOutcome listSaved;
    ui::runShowingErrors(m_modal, this, [this, &listSaved] {
        if (dbLista.isOpen() && m_listWasMissing && dbLista.isEmpty())
            dbLista.closeWithoutSaving();
        else
            listSaved = dbLista.close();
    });
    if (!listSaved.ok())
        ui::showError(m_modal, this, listSaved.error);
    if (!listSaved.keptBackup.empty())
        m_keptListBackup = listSaved.keptBackup;
    if (!m_keptListBackup.empty())
        ui::showBackupKept(m_modal, this, m_keptListBackup);
}
