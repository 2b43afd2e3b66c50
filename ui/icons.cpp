#include "ui/icons.h"

#include <QImage>
#include <QPixmap>

namespace ui {

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
    }
    return result;
}

} // namespace ui
