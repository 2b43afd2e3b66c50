#include "ui/gauge.h"

#include "ui/accessible_controls.h"

#include <QAccessible>
#include <QPainter>
#include <algorithm>

namespace ui {

Gauge::Gauge(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    installAccessibleControls();
}

QString Gauge::spokenName() const
{
    const QString figures = QStringLiteral("%1 / %2").arg(m_position).arg(m_maximum);
    return accessibleName().isEmpty() ? figures : accessibleName() + QStringLiteral(": ") + figures;
}

void Gauge::changed()
{
    update();
    QAccessibleValueChangeEvent value(this, m_position);
    QAccessible::updateAccessibility(&value);
    QAccessibleEvent name(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&name);
}

void Gauge::setPosition(int position)
{
    position = std::clamp(position, 0, m_maximum);
    if (position == m_position)
        return;
    m_position = position;
    changed();
}

void Gauge::setMaximum(int maximum)
{
    m_maximum = std::max(maximum, 1);
    m_position = std::min(m_position, m_maximum);
    changed();
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
