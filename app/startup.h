#pragma once
// Making the eight windows in their order at program start, and destroying them at the end.

#include "app/game_windows.h"
#include "app/startup_options.h"
#include "storage/table.h"
#include "storage/table_file.h"

#include <string>
#include <thread>

namespace ui {
class ModalRunner;
}

// Creates the windows into `windows`, which must outlive them (the main window keeps a reference to it), as
// must `modal`, through which they show their modal windows. Each window's creation step runs as it is
// made; errors there are shown and the start goes on.
void createWindows(Windows& windows, const ui::ModalRunner& modal, const StartupOptions& options = {});

// Destroys the windows, the last made first. Nothing is written here: the exit save (SaveSession) did that.
void destroyWindows(Windows& windows);

// The puzzle list of a program folder read ahead on a worker thread while the windows are made (main() makes
// one once the application object stands and hands it to the main window in StartupOptions). The start-up
// reading adopts the records at the step where it opens the list; a table of another file reads its own.
// The worker is joined when the records are taken or, at the latest, when this object ends; records nobody
// took are dropped, and nothing is written.
class PuzzleListPrefetch
{
public:
    explicit PuzzleListPrefetch(const std::string& programFolder);
    ~PuzzleListPrefetch();
    PuzzleListPrefetch(const PuzzleListPrefetch&) = delete;
    PuzzleListPrefetch& operator=(const PuzzleListPrefetch&) = delete;

    // The list as read, once (the worker joined first); nothing when taken before or when the read failed
    // beyond a load error (the table then reads the file itself).
    storage::LoadedTable take();

private:
    storage::LoadedTable m_list;
    bool m_taken = false;
    std::thread m_worker;
};

// Opens `list` (its file path set): with the records `readAhead` holds when it read the same file and they
// were not taken yet, else by reading the file now. Throws the load error as storage::Table::open does.
void openPuzzleList(storage::Table& list, PuzzleListPrefetch* readAhead);
