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
    : m_list(storage::puzzleColumns())
{
    m_list.setFilePath(programFolder + storage::PuzzleListFile);
    m_worker = std::thread([this] {
        try {
            m_list.open();
        } catch (...) {
            m_error = std::current_exception();
        }
    });
}

PuzzleListPrefetch::~PuzzleListPrefetch()
{
    if (m_worker.joinable())
        m_worker.join();
    m_list.closeWithoutSaving(); // never taken: the file stays as it is, a damaged one gets no backup
}

void openPuzzleList(storage::Table& list, PuzzleListPrefetch* readAhead)
{
    if (!readAhead || std::exchange(readAhead->m_taken, true)) {
        list.open();
        return;
    }
    readAhead->m_worker.join();
    if (readAhead->m_list.filePath() != list.filePath()) {
        readAhead->m_list.closeWithoutSaving();
        list.open();
        return;
    }
    list.openFrom(readAhead->m_list, std::exchange(readAhead->m_error, nullptr));
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
    windows.frmNev = new TfrmNev(modal, main);
    windows.frmJatekosok->setNameEntry(*windows.frmNev);
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
