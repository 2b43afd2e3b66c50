#pragma once
// One board cell: a raised panel showing a single character in a bold 32-pixel font. A mouse press is
// reported with its button, the exact modifier state and whether it is the second press of a double click;
// a press while another mouse button is held reports Qt::NoButton (the game ignores such presses).
// A cell is told when it hides its letter (hideLetter) and when the letter shows (revealLetter, setLook); a
// hidden cell is drawn as a bare box and a screen reader hears only that it hides a letter, whatever
// colours it is given meanwhile.

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

    // A letter the player has yet to find: a bare box of `box` colour, its text colour the box's too, until
    // revealLetter or setLook.
    void hideLetter(const QString& letter, const QColor& box);
    // The hidden letter shows from now on, in `textColour`.
    void revealLetter(const QColor& textColour);
    bool hidesLetter() const { return m_hidesLetter; }

    QString caption() const { return m_caption; }
    QColor background() const { return m_background; }
    QColor textColour() const { return m_textColour; }
    void setCaption(const QString& caption);
    void setBackground(const QColor& colour);
    void setTextColour(const QColor& colour);
    // Shows `caption` as it is: nothing in the cell is hidden any more.
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
    bool m_hidesLetter = false;
};

} // namespace ui
