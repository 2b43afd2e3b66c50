#include "ui/paint_ahead.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

namespace ui {

void paintAhead(QWidget& window)
{
    // In strips, so the picture never holds more than a small part of the window: the program's peak
    // memory stays as it was.
    constexpr int StripHeight = 48;
    QImage strip(window.width(), StripHeight, QImage::Format_ARGB32_Premultiplied);
    for (int top = 0; top < window.height(); top += StripHeight)
        window.render(&strip, QPoint(), QRegion(0, top, window.width(), StripHeight));
}

} // namespace ui
