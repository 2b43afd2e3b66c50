// Build tool: renders the SVG pictures given on the command line at the sizes the windows show them (and
// twice those for high-density screens) and writes them as a C++ source of pixel tables for ui::icon.
// Usage: brumvelda_render_icons OUTPUT.cpp PICTURE.svg...
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>
#include <cstdio>

namespace {

// Toolbar buttons show 26 pixels, push buttons the style's 16.
constexpr int Sizes[] = {16, 26, 32, 52};

// As the SVG icon engine draws it: the picture's own proportions inside the square, on transparency.
QImage render(QSvgRenderer& renderer, int side)
{
    QSize size = renderer.defaultSize();
    size.scale(side, side, Qt::KeepAspectRatio);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(0);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv); // the pictures' texts need the font database
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp PICTURE.svg...\n", argv[0]);
        return 2;
    }
    QString body;
    QTextStream out(&body);
    out << "// Written by brumvelda_render_icons from app/icons: do not edit.\n#include \"ui/icons.h\"\n\n"
           "namespace ui::detail {\nnamespace {\n";
    QString table;
    QTextStream rows(&table);
    int count = 0;
    for (int a = 2; a < argc; ++a) {
        const QString path = QString::fromLocal8Bit(argv[a]);
        QSvgRenderer renderer(path);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "%s: not a valid SVG picture\n", argv[a]);
            return 1;
        }
        const QString name = QFileInfo(path).completeBaseName();
        for (int side : Sizes) {
            const QImage image = render(renderer, side);
            const QString array = QStringLiteral("%1_%2").arg(name).arg(side);
            out << "const uint32_t " << array << "[] = {";
            for (int y = 0; y < image.height(); ++y) {
                const auto* line = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
                out << "\n   ";
                for (int x = 0; x < image.width(); ++x)
                    out << " 0x" << QString::number(line[x], 16) << "u,";
            }
            out << "\n};\n";
            rows << "    {\"" << name << "\", " << image.width() << ", " << image.height() << ", " << array
                 << "},\n";
            ++count;
        }
    }
    out << "} // namespace\n\nconst IconPicture iconPictures[] = {\n"
        << table << "};\nconst int iconPictureCount = " << count << ";\n\n} // namespace ui::detail\n";
    out.flush();

    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(body.toUtf8()) < 0) {
        std::fprintf(stderr, "%s: cannot write\n", argv[1]);
        return 1;
    }
    return 0;
}
