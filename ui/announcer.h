#pragma once
// What a screen reader says by itself as the game goes on. Qt 6.4 sends a changed accessible name or
// description with the object instead of the text, which Orca cannot speak; a notification becoming visible
// is spoken whole, and inside a status bar without the word "notification" before it. So each announcement
// is a notification shown anew in the status bar. It takes no room on the screen.

#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace ui {

class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget* statusBar);

    // Speaks `text`: the notification is hidden and shown again with it, so the same words twice are said
    // twice. It is shown a moment later, with whatever else was said meanwhile: a move also changes many
    // cells and buttons, and Orca drops the events that arrive while its queue is flooded.
    void say(const QString& text);
    const QString& text() const { return m_text; }
    // Shows what was said without waiting (tests; a window that closes).
    void flush();

private:
    QString m_text;
    QStringList m_pending;
    QTimer* m_timer;
};

} // namespace ui
