#include "ui/gauge.h"

#include <QPainter>
#include <algorithm>

namespace ui {

Gauge::Gauge(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void Gauge::setPosition(int position)
{
    position = std::clamp(position, 0, m_maximum);
    if (position == m_position)
        return;
    m_position = position;
    update();
}

void Gauge::setMaximum(int maximum)
{
    m_maximum = std::max(maximum, 1);
    m_position = std::min(m_position, m_maximum);
    update();
}

void Gauge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    const QColor face = palette().color(QPalette::Window);
    painter.fillRect(r, face);
    // Sunken bevel around the trough.
    painter.setPen(face.darker(160));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(face.lighter(150));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    const QRect trough = r.adjusted(1, 1, -1, -1);
    const int filled = static_cast<int>(static_cast<qint64>(trough.width()) * m_position / m_maximum);
    if (filled > 0)
        painter.fillRect(QRect(trough.left(), trough.top(), filled, trough.height()), Qt::red);
}

} // namespace ui
