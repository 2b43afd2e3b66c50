// Brumvelda: the application, its eight windows, the event loop.
#include "app/data_folder.h"
#include "app/instance_lock.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "ui/error_box.h"
#include "ui/modal.h"
#include "ui/title.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[])
{
    // The folder of the three files: beside the program when it may write there, else the user's data
    // folder (a first start there gets a copy of the installed puzzle list, never over an existing one).
    const auto [dataFolder, dataFolderProblem]
        = prepareDataFolder(executableFolder(), BRUMVELDA_USER_DATA_ONLY, currentUserEnvironment());
    // One game per data folder, settled before any of its files is read: a second copy shows the first.
    SingleInstance instance(dataFolder);
    if (instance.exitStatus())
        return *instance.exitStatus();

    QApplication application(argc, argv);
    // The puzzle list is read on a worker thread while the windows are made; the main window takes it where
    // its start-up reading opens it. Started once the application object stands: the two threads would
    // otherwise queue on each other's memory mappings while Qt loads its plugins.
    PuzzleListPrefetch puzzleList(dataFolder);
    QApplication::setApplicationName(ui::applicationTitle());

    // Qt's own buttons and texts (Yes, No, Cancel...) in Hungarian.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_hu"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    const ui::ModalRunner modal; // each modal window runs its own event loop
    StartupOptions options;
    options.programFolder = dataFolder;
    options.puzzleList = &puzzleList;
    Windows windows;
    createWindows(windows, modal, options);
    instance.raiseOnRequest(*windows.frmMain);
    if (!dataFolderProblem.empty())
        ui::showError(modal, windows.frmMain, dataFolderProblem);

    windows.frmMain->show();
    const int result = QApplication::exec();
    destroyWindows(windows);
    return result;
}
