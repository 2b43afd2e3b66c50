// The floor of the start-up benchmark: a Qt Widgets program that shows one empty window.
// With BRUMVELDA_EXIT_WHEN_SHOWN=1 it ends at its first paint, as the game does.
#include "ui/exit_when_shown.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(537, 522);
    ui::exitWhenShownIfAsked(window);
    window.show();
    return QApplication::exec();
}
