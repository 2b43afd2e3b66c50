#include "app/startup.h"

#include "app/main_window.h"
#include "editor/uj_dialog.h"
#include "game/result_windows.h"
#include "players/beallitas_dialog.h"
#include "players/jatekosok_dialog.h"
#include "players/nev_window.h"

#include "storage/file_names.h"
#include "storage/schemas.h"

#include <utility>

PuzzleListPrefetch::PuzzleListPrefetch(const std::string& programFolder)
{
    m_worker = std::thread([this, path = programFolder + storage::PuzzleListFile] {
        try {
            m_list = storage::readTableFile(path, storage::puzzleColumns());
        } catch (...) {
            // Nothing read (no memory for the columns, say): the list is read where it is opened.
        }
    });
}

PuzzleListPrefetch::~PuzzleListPrefetch()
{
    if (m_worker.joinable())
        m_worker.join();
}

storage::LoadedTable PuzzleListPrefetch::take()
{
    if (std::exchange(m_taken, true))
        return {};
    m_worker.join();
    return std::move(m_list);
}

void openPuzzleList(storage::Table& list, PuzzleListPrefetch* readAhead)
{
    if (!readAhead) {
        list.open();
        return;
    }
    list.adopt(readAhead->take());
}

void createWindows(Windows& windows, const ui::ModalRunner& modal, const StartupOptions& options)
{
    // The dialogs are children of the main window so they stay above it; they are destroyed explicitly
    // below, before it, in a fixed order.
    windows.frmMain = new TfrmMain(windows, modal, options);
    TfrmMain* main = windows.frmMain;
    windows.frmUj = new TfrmUj(main);
    windows.frmJatekosok = new TfrmJatekosok(main->playerRegister(), modal, main);
    QObject::connect(windows.frmJatekosok, &TfrmJatekosok::currentPlayerDeleted, main,
                     [main] { main->ClearPlayer(); });
    QObject::connect(windows.frmJatekosok, &TfrmJatekosok::playerRenamed, main,
                     [main](const std::string& oldName, const std::string& newName) {
                         main->renamePlayerRounds(oldName, newName);
                     });
    QObject::connect(windows.frmJatekosok, &TfrmJatekosok::playerDeleted, main,
                     [main](const std::string& name) { main->removePlayerRounds(name); });
    windows.frmNev = new TfrmNev(modal, main);
    windows.frmJatekosok->setNameEntry(*windows.frmNev);
    windows.frmJatekosok->setChoicesStore(main->SettingsStore);
    windows.frmBeallitas = new TfrmBeallitas(main);
    windows.frmGratulalok = new TfrmGratulalok(main);
    windows.frmSajnos = new TfrmSajnos(main);
    windows.frmSzabad = new TfrmSzabad(main);
    // The result windows follow the keyboard play setting read at the main window's start.
    windows.frmMain->setKeyboardPlay(windows.frmMain->keyboardPlay());
    main->restoreLastPlayer();
}

namespace {
template <typename T>
void destroy(T*& window)
{
    delete window;
    window = nullptr;
}
} // namespace

void destroyWindows(Windows& windows)
{
    destroy(windows.frmSzabad);
    destroy(windows.frmSajnos);
    destroy(windows.frmGratulalok);
    destroy(windows.frmBeallitas);
    destroy(windows.frmNev);
    destroy(windows.frmJatekosok);
    destroy(windows.frmUj);
    destroy(windows.frmMain);
}
