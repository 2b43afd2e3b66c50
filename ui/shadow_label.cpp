#include "ui/shadow_label.h"

#include "ui/accessible_controls.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

namespace ui {

ShadowLabel::ShadowLabel(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    installAccessibleControls();
}

void ShadowLabel::setText(const QString& text)
{
    m_text = text;
    update();
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void ShadowLabel::setColour(const QColor& colour)
{
    m_colour = colour;
    update();
}

void ShadowLabel::setShadowColour(const QColor& colour)
{
    m_shadowColour = colour;
    update();
}

void ShadowLabel::setShadowDepth(int pixels)
{
    m_shadowDepth = pixels;
    update();
}

void ShadowLabel::setBand(const QColor& colour)
{
    m_band = colour;
    update();
}

void ShadowLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

QStringList ShadowLabel::lines() const
{
    // A "\r\n" pair is one break, as is a lone "\r" or "\n".
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return m_text.split(lineBreak);
}

void ShadowLabel::paintEvent(QPaintEvent*)
{
    const QStringList all = lines();
    QFont drawn = font();
    const int room = width() - m_shadowDepth;
    int widest = 0;
    const QFontMetrics natural(drawn);
    for (const QString& line : all)
        widest = std::max(widest, natural.horizontalAdvance(line));
    if (widest > room && room > 0)
        drawn.setStretch(std::max(50, 100 * room / widest));

    QPainter painter(this);
    if (m_band.isValid()) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_band);
        painter.drawRoundedRect(QRectF(rect()), 8, 8);
    }
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(drawn);
    const QFontMetrics metrics(drawn);
    const int lineHeight = metrics.height();
    const int blockHeight = lineHeight * int(all.size());
    int top = 0;
    if (m_alignment & Qt::AlignVCenter)
        top = (height() - m_shadowDepth - blockHeight) / 2;
    else if (m_alignment & Qt::AlignBottom)
        top = height() - m_shadowDepth - blockHeight;

    // Placed by hand so that trailing spaces count, as they do in the board rows of an answer.
    const Qt::Alignment horizontal = m_alignment & Qt::AlignHorizontal_Mask;
    for (const QString& line : all) {
        const int advance = metrics.horizontalAdvance(line);
        int left = 0;
        if (horizontal & Qt::AlignHCenter)
            left = (room - advance) / 2;
        else if (horizontal & Qt::AlignRight)
            left = room - advance;
        const int baseline = top + metrics.ascent();
        painter.setPen(m_shadowColour);
        painter.drawText(QPoint(left + m_shadowDepth, baseline + m_shadowDepth), line);
        painter.setPen(m_colour);
        painter.drawText(QPoint(left, baseline), line);
        top += lineHeight;
    }
}

} // namespace ui
