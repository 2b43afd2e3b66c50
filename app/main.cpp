// Brumvelda: the application, its eight windows, the event loop.
#include "app/data_folder.h"
#include "app/instance_lock.h"
#include "app/main_window.h"
#include "app/session_end.h"
#include "app/startup.h"
#include "players/jatekosok_dialog.h"
#include "storage/file_names.h"
#include "storage/settings_store.h"
#include "ui/error_box.h"
#include "ui/fonts.h"
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
    SingleInstance instance(dataFolder,
                            {dataFolder + storage::PuzzleListFile, dataFolder + storage::PlayerRegisterFile});
    if (instance.exitStatus() && instance.refusal().empty())
        return *instance.exitStatus();
    if (!instance.exitStatus())
        storage::removeLeftoverTemporaries(dataFolder + storage::SettingsFile);

    QApplication application(argc, argv);
    const ui::ModalRunner modal; // each modal window runs its own event loop
    if (!instance.refusal().empty()) {
        ui::showError(modal, nullptr, instance.refusal());
        return *instance.exitStatus();
    }
    instance.answerRequests();
    // The puzzle list is read on a worker thread while the windows are made; the main window takes it where
    // its start-up reading opens it. Started once the application object stands: the two threads would
    // otherwise queue on each other's memory mappings while Qt loads its plugins.
    PuzzleListPrefetch puzzleList(dataFolder);
    QApplication::setApplicationName(ui::applicationTitle());

    // Qt's own buttons and texts (Yes, No, Cancel...) in Hungarian.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_hu"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    // The game's own fonts, where its folder carries them (the Windows game), before any window is made.
    ui::loadFontsFrom(QString::fromStdString(executableFolder()) + QStringLiteral("fonts"));

    StartupOptions options;
    options.programFolder = dataFolder;
    options.puzzleList = &puzzleList;
    options.puzzlePack = installedPuzzlePack(executableFolder());
    Windows windows;
    const SessionEnd sessionEnd(modal, [&windows] {
        if (windows.frmMain)
            windows.frmMain->SaveSession();
    });
    createWindows(windows, modal, options);
    instance.raiseOnRequest(*windows.frmMain);
    if (!dataFolderProblem.empty())
        ui::showError(modal, windows.frmMain, dataFolderProblem);

    int result = 0;
    if (!modal.stopped()) { // a signal during the start-up messages ends the game before its window shows
        windows.frmMain->show();
        result = QApplication::exec();
    }
    // Ended by a signal or the logout, the game saves here as its exit button would have (once only).
    windows.frmMain->SaveSession();
    destroyWindows(windows);
    return result;
}
