#include "ui/board_cell.h"

#include "ui/fonts.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {

BoardCell::BoardCell(int tag, QWidget* parent)
    : QWidget(parent)
    , m_tag(tag)
    , m_background(192, 220, 192)
    , m_textColour(0, 128, 128)
{
    setFont(boldPixelFont(32));
    setFocusPolicy(Qt::NoFocus);
}

void BoardCell::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void BoardCell::setBackground(const QColor& colour)
{
    if (colour == m_background)
        return;
    m_background = colour;
    update();
}

void BoardCell::setTextColour(const QColor& colour)
{
    if (colour == m_textColour)
        return;
    m_textColour = colour;
    update();
}

void BoardCell::setLook(const QString& caption, const QColor& background, const QColor& textColour)
{
    m_caption = caption;
    m_background = background;
    m_textColour = textColour;
    update();
}

void BoardCell::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, m_background);
    // A one-pixel raised bevel, as a panel of the old desktop draws it.
    painter.setPen(m_background.lighter(150));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(m_background.darker(160));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    painter.setPen(m_textColour);
    painter.setFont(font());
    painter.drawText(r, Qt::AlignCenter, m_caption);
}

namespace {
Qt::MouseButton soleButton(const QMouseEvent& event)
{
    return event.buttons() == event.button() ? event.button() : Qt::NoButton;
}
} // namespace

void BoardCell::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(soleButton(*event), event->modifiers(), false);
}

void BoardCell::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit mousePressed(soleButton(*event), event->modifiers(), true);
}

} // namespace ui
