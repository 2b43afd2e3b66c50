// Linked into the start-up benchmark's copies of the game and of the floor program only: the process ends
// as soon as its first window has been painted, so the time from start to a visible window can be measured.
// Nothing is saved then.
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <unistd.h>

namespace {

class ExitWhenPainted : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A window's first paint event comes before its controls are painted: the process ends only once
        // the paint that it starts, controls included, is done and flushed to the screen.
        // Paints of a window not yet on the screen (rendered off-screen) do not count.
        if (event->type() == QEvent::Paint && !m_painted && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow() && static_cast<QWidget*>(watched)->isVisible()) {
            m_painted = true;
            QMetaObject::invokeMethod(
                this, [] { ::_exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_painted = false;
};

// Runs as the application object is made, before the program makes its first window.
void installExitWhenPainted()
{
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new ExitWhenPainted(application));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installExitWhenPainted)
