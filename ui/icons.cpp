#include "ui/icons.h"

#include <QImage>
#include <QPixmap>

namespace ui {

namespace {
// A disabled button's picture: grey and faded, so it reads as unusable on any background (the style's own
// disabled picture keeps the colours of some of ours, and a disabled button looked ready to press).
QPixmap greyedPicture(const QImage& image)
{
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int level = 96 + qGray(line[x]) / 2;
            line[x] = qRgba(level, level, level, qAlpha(line[x]) * 2 / 5);
        }
    }
    return QPixmap::fromImage(grey);
}
} // namespace

QIcon icon(std::string_view name)
{
    QIcon result;
    for (int i = 0; i < detail::iconPictureCount; ++i) {
        const detail::IconPicture& picture = detail::iconPictures[i];
        if (name != picture.name)
            continue;
        const QImage image(reinterpret_cast<const uchar*>(picture.pixels), picture.width, picture.height,
                           picture.width * 4, QImage::Format_ARGB32_Premultiplied);
        result.addPixmap(QPixmap::fromImage(image)); // copies: the compiled-in pixels stay read-only
        result.addPixmap(greyedPicture(image), QIcon::Disabled);
    }
    return result;
}

} // namespace ui
