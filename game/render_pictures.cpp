// Build tool: renders the result windows' SVG pictures into PNG files at the size the windows show them, on
// black, as the windows draw them; the game then loads them without the SVG library.
// Usage: brumvelda_render_pictures WIDTH HEIGHT PICTURE.svg OUTPUT.png [PICTURE.svg OUTPUT.png]...
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv); // texts in the pictures need the font database
    if (argc < 5 || (argc - 3) % 2 != 0) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT PICTURE.svg OUTPUT.png...\n", argv[0]);
        return 2;
    }
    const QSize size(std::atoi(argv[1]), std::atoi(argv[2]));
    for (int a = 3; a < argc; a += 2) {
        QSvgRenderer renderer(QString::fromLocal8Bit(argv[a]));
        if (!renderer.isValid()) {
            std::fprintf(stderr, "%s: not a valid SVG picture\n", argv[a]);
            return 1;
        }
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
        painter.end();
        if (!image.save(QString::fromLocal8Bit(argv[a + 1]), "PNG")) {
            std::fprintf(stderr, "%s: cannot write\n", argv[a + 1]);
            return 1;
        }
    }
    return 0;
}
