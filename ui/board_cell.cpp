#include "ui/board_cell.h"

#include "ui/accessible_controls.h"
#include "ui/colours.h"
#include "ui/fonts.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

namespace ui {

BoardCell::BoardCell(int tag, QWidget* parent)
    : QWidget(parent)
    , m_tag(tag)
    , m_background(192, 220, 192)
    , m_textColour(LetterTextColour)
{
    setFont(boldPixelFont(32));
    setFocusPolicy(Qt::NoFocus);
    installAccessibleControls();
    m_spokenName = spokenName();
}

BoardCell::Shows BoardCell::shows() const
{
    if (m_hidesLetter)
        return Shows::HiddenLetter;
    if (m_caption.trimmed().isEmpty())
        return Shows::Nothing;
    return m_caption.at(0).isLetter() ? Shows::Letter : Shows::Sign;
}

void BoardCell::setBoardPlace(int row, int column)
{
    m_row = row;
    m_column = column;
    changed();
}

namespace {
QString signName(QChar sign)
{
    static const std::pair<char16_t, const char*> names[]
        = {{u'.', "Pont"},       {u',', "Vessző"},       {u'!', "Felkiáltójel"}, {u'?', "Kérdőjel"},
           {u':', "Kettőspont"}, {u';', "Pontosvessző"}, {u'-', "Kötőjel"},      {u'+', "Pluszjel"},
           {u'*', "Csillag"},    {u'/', "Perjel"}};
    for (const auto& [mark, name] : names) {
        if (sign == QChar(mark))
            return QString::fromUtf8(name);
    }
    return QStringLiteral("„%1” jel").arg(sign);
}
} // namespace

QString BoardCell::spokenName() const
{
    QString what;
    switch (shows()) {
    case Shows::Nothing:
        what = QStringLiteral("Üres mező");
        break;
    case Shows::HiddenLetter:
        what = QStringLiteral("Rejtett betű");
        break;
    case Shows::Letter:
        what = m_caption.left(1) + QStringLiteral(" betű");
        break;
    case Shows::Sign:
        what = signName(m_caption.at(0));
        break;
    }
    if (m_row > 0)
        what += QStringLiteral(", %1. sor %2. oszlop").arg(m_row).arg(m_column);
    return what;
}

void BoardCell::changed()
{
    update();
    // Screen readers hear of a letter found, a cell blanked, a new puzzle laid out.
    const QString name = spokenName();
    if (name == m_spokenName)
        return;
    m_spokenName = name;
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void BoardCell::hideLetter(const QString& letter, const QColor& box)
{
    m_caption = letter;
    m_background = box;
    m_textColour = box;
    m_hidesLetter = true;
    changed();
}

void BoardCell::revealLetter(const QColor& textColour)
{
    m_hidesLetter = false;
    m_textColour = textColour;
    changed();
}

void BoardCell::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    changed();
}

void BoardCell::setBackground(const QColor& colour)
{
    if (colour == m_background)
        return;
    m_background = colour;
    changed();
}

void BoardCell::setTextColour(const QColor& colour)
{
    if (colour == m_textColour)
        return;
    m_textColour = colour;
    changed();
}

void BoardCell::setLook(const QString& caption, const QColor& background, const QColor& textColour)
{
    m_caption = caption;
    m_background = background;
    m_textColour = textColour;
    m_hidesLetter = false;
    changed();
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
    if (m_hidesLetter)
        return; // a bare box: the letter is never drawn, so no colour given meanwhile can show it
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
