// Start-up reading and the exit save of the main window.
#include "app/main_window.h"

#include "app/startup.h"
#include "game/settings.h"
#include "game/tables.h"
#include "platform/file.h"
#include "storage/file_names.h"
#include "storage/paths.h"
#include "storage/storage_error.h"
#include "ui/error_box.h"
#include "ui/paint_ahead.h"
#include "ui/text.h"
#include "ui/title.h"

#include <QAccessible>
#include <QToolButton>
#include <chrono>

void TfrmMain::FormCreate()
{
    EditMode = false;
    m_random.seed(m_options.randomSeed
                      ? *m_options.randomSeed
                      : static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    AppDir = m_options.programFolder.empty() ? executableFolder()
                                             : storage::withTrailingSlash(m_options.programFolder);
    startupReading();
    showMistakes();
    setWindowTitle(ui::applicationTitle() + ' ' + ui::toQt(game::VersionText));
}

void TfrmMain::startupReading()
{
    SettingsStore.setPath(AppDir + storage::SettingsFile);
    // Before the list is opened: a list that fails to load must not leave the round on its default limit.
    useSettings(game::readSettings(SettingsStore));
    // Unset, keyboard play follows the screen reader: a blind player's first start needs no mouse.
    m_screenReaderSeen = m_options.screenReader.value_or(QAccessible::isActive());
    setKeyboardPlay(KeyboardPlay.value_or(m_screenReaderSeen));
    followScreenReader();

    dbLista.setFilePath(AppDir + storage::PuzzleListFile);
    m_listWasMissing = !platform::nameInUse(dbLista.filePath());
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
    tbNapi->setEnabled(false);
    m_history.setPath(AppDir + storage::HistoryFile);
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
    recordAbandonedRound();

    // Each step runs even when one before it failed: a settings file that cannot be written must not cost
    // the puzzles stored in this run.
    ui::runShowingErrors(m_modal, this, [this] {
        using game::SettingKey;
        // A register that could not be read restored nobody: the last player's name stays for the run that
        // reads the register (or its backup) again.
        if (!PlayerName.empty() || !m_register.loadFailed()) {
            LastPlayer = PlayerName;
            game::writeSettings(
                SettingsStore, *this,
                {SettingKey::Language, SettingKey::Level, SettingKey::Categories, SettingKey::User});
        } else {
            game::writeSettings(SettingsStore, *this,
                                {SettingKey::Language, SettingKey::Level, SettingKey::Categories});
        }
    });
    ui::runShowingErrors(m_modal, this, [this] { m_register.storeTotals(PlayerTotal, PlayerRounds); });
    storage::SaveOutcome listSaved;
    ui::runShowingErrors(m_modal, this, [this, &listSaved] {
        if (dbLista.isOpen() && m_listWasMissing && dbLista.isEmpty())
            dbLista.closeWithoutSaving();
        else
            listSaved = dbLista.close();
    });
    // A backup kept by a save during the run is told now, once.
    if (listSaved.keptBackup.empty())
        listSaved.keptBackup = m_keptListBackup;
    showSaveOutcome(listSaved);
    if (m_register.isOpen())
        showSaveOutcome(m_register.close());
    showSaveOutcome(m_history.close());
}

void TfrmMain::showSaveOutcome(const storage::SaveOutcome& outcome)
{
    if (!outcome.ok())
        ui::showError(m_modal, this, outcome.error);
    if (!outcome.keptBackup.empty())
        ui::showBackupKept(m_modal, this, outcome.keptBackup);
}
