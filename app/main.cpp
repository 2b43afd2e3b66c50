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
        // The window's first paint event comes before its controls are painted: the process ends only once
        // the paint that it starts, controls included, is done and flushed to the screen.
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            QMetaObject::invokeMethod(
                this, [] { ::_exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char* argv[])
{
    // Fontconfig and the puzzle list are read while Qt starts; the main window takes the list where its
    // start-up reading opens it.
    FontconfigWarmUp fontconfig;
    PuzzleListPrefetch puzzleList(executableFolder() + "Brumvelda.lis");

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brumvelda"));

    // Qt's own buttons and texts (Yes, No, Cancel...) in Hungarian.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_hu"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    Windows windows;
    fontconfig.join(); // the windows measure their texts as they are made
    createWindows(windows);

    ExitWhenShown exitWhenShown;
    if (qEnvironmentVariableIntValue("BRUMVELDA_EXIT_WHEN_SHOWN") == 1)
        windows.frmMain->installEventFilter(&exitWhenShown);

    windows.frmMain->show();
    const int result = QApplication::exec();
    destroyWindows(windows);
    return result;
}
