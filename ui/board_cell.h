#pragma once
// One board cell: a raised panel showing a single character in a bold 32-pixel font. A mouse press is
// reported with its button, the exact modifier state and whether it is the second press of a double click;
// a press while another mouse button is held reports Qt::NoButton (the game ignores such presses).
// What a screen reader hears comes from what the cell shows: a letter drawn in its background colour is a
// hidden letter and is never named.

#include <QColor>
#include <QWidget>

namespace ui {

class BoardCell : public QWidget
{
    Q_OBJECT

public:
    BoardCell(int tag, QWidget* parent = nullptr);

    int tag() const { return m_tag; }

    enum class Shows { Nothing, HiddenLetter, Letter, Sign };
    Shows shows() const;
    // Row and column on the board (from 1), said after what the cell shows.
    void setBoardPlace(int row, int column);
    // "Rejtett betű, 1. sor 3. oszlop", "E betű, ...", "Vessző, ...", "Üres mező, ...".
    QString spokenName() const;

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
    void changed();

    int m_tag;
    int m_row = 0;
    int m_column = 0;
    QString m_spokenName;
    QString m_caption;
    QColor m_background;
    QColor m_textColour;
};

} // namespace ui
