// Brumvelda: the application, its eight windows, the event loop.
#include "app/main_window.h"
#include "app/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdlib>
#include <unistd.h>

namespace {

// BRUMVELDA_EXIT_WHEN_SHOWN=1 (for bench/startup_bench only): the process ends at once when the main window
// is first painted, so the time from start to a visible window can be measured. Nothing is saved then.
class ExitWhenShown : public QObject
{
protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ::_exit(0);
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    // The puzzle list is read while Qt starts; the main window takes it where its start-up reading opens it.
    PuzzleListPrefetch puzzleList(executableFolder() + "Brumvelda.lis");

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brumvelda"));

    // Qt's own buttons and texts (Yes, No, Cancel...) in Hungarian.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_hu"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    Windows windows;
    createWindows(windows);

    ExitWhenShown exitWhenShown;
    if (qEnvironmentVariableIntValue("BRUMVELDA_EXIT_WHEN_SHOWN") == 1)
        windows.frmMain->installEventFilter(&exitWhenShown);

    windows.frmMain->show();
    const int result = QApplication::exec();
    destroyWindows(windows);
    return result;
}
