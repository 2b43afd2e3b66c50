#pragma once
// One board cell: a raised panel showing a single character in a bold 32-pixel font. A mouse press is
// reported with its button, the exact modifier state and whether it is the second press of a double click;
// a press while another mouse button is held reports Qt::NoButton (the game ignores such presses).

#include <QColor>
#include <QWidget>

namespace ui {

class BoardCell : public QWidget
{
    Q_OBJECT

public:
    BoardCell(int tag, QWidget* parent = nullptr);

    int tag() const { return m_tag; }

    QString caption() const { return m_caption; }
    QColor background() const { return m_background; }
    QColor textColour() const { return m_textColour; }
    void setCaption(const QString& caption);
    void setBackground(const QColor& colour);
    void setTextColour(const QColor& colour);
    void setLook(const QString& caption, const QColor& background, const QColor& textColour);

signals:
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool doubleClick);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int m_tag;
    QString m_caption;
    QColor m_background;
    QColor m_textColour;
};

} // namespace ui
