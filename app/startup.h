#pragma once
// Making the eight windows in their order at program start, and destroying them at the end.

#include "app/startup_options.h"
#include "app/windows.h"
#include "storage/table.h"

#include <exception>
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
// reading takes its records at the step where it opens the list, when it opens exactly this file; otherwise
// it opens the list itself. The worker is joined when the records are taken or, at the latest, when this
// object ends; a load nobody took writes nothing.
class PuzzleListPrefetch
{
public:
    explicit PuzzleListPrefetch(const std::string& programFolder);
    ~PuzzleListPrefetch();
    PuzzleListPrefetch(const PuzzleListPrefetch&) = delete;
    PuzzleListPrefetch& operator=(const PuzzleListPrefetch&) = delete;

private:
    friend void openPuzzleList(storage::Table& list, PuzzleListPrefetch* readAhead);
    storage::Table m_list;
    bool m_taken = false;
    std::exception_ptr m_error;
    std::thread m_worker;
};

// Opens `list` (its file path set): with the records `readAhead` holds when it read the same file and they
// were not taken yet, else by reading the file now. Throws the load error as storage::Table::open does.
void openPuzzleList(storage::Table& list, PuzzleListPrefetch* readAhead);
