#pragma once
// BRUMVELDA_EXIT_WHEN_SHOWN=1 (for bench/startup_bench only): the process ends at once when the window is
// first painted, so the time from start to a visible window can be measured. Nothing is saved then.
// Header only, so the benchmark's minimal window uses the very same mechanism as the game.

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QtGlobal>
#include <unistd.h>

namespace ui {

class ExitWhenShown : public QObject
{
public:
    using QObject::QObject;

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

// Installs the filter on `window` when the environment asks for it; the filter lives as long as the window.
inline void exitWhenShownIfAsked(QWidget& window)
{
    if (qEnvironmentVariableIntValue("BRUMVELDA_EXIT_WHEN_SHOWN") == 1)
        window.installEventFilter(new ExitWhenShown(&window));
}

} // namespace ui
