// The floor of the start-up benchmark: a Qt Widgets program that shows one empty window.
// With BRUMVELDA_EXIT_WHEN_SHOWN=1 it ends at its first paint, as the game does.
#include <QApplication>
#include <QWidget>
#include <unistd.h>

namespace {
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
    QApplication application(argc, argv);
    QWidget window;
    window.resize(537, 522);
    ExitWhenShown exitWhenShown;
    if (qEnvironmentVariableIntValue("BRUMVELDA_EXIT_WHEN_SHOWN") == 1)
        window.installEventFilter(&exitWhenShown);
    window.show();
    return QApplication::exec();
}
