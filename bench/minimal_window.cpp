// The floor of the start-up benchmark: a Qt Widgets program that shows one line of text in a label.
// Linked with exit_when_painted.cpp, it ends at its first paint, as the benchmark's copy of the game does.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Brumvelda"));
    window.resize(537, 522);
    window.show();
    return QApplication::exec();
}
