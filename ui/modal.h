#pragma once
// Every modal window of the game is shown through a ModalRunner, handed to the windows that show one, so
// tests can act "while it is shown" (type a name, press Enter, answer a question) instead of racing timers.

#include <QMessageBox>
#include <functional>

class QDialog;
class QWidget;

namespace ui {

class ModalRunner
{
public:
    // Tests: called instead of running the event loop of a modal window. It acts on the dialog as the user
    // would and must close it (accept, reject, done or a click on its button); its result is then returned.
    using ActWhileShown = std::function<void(QDialog&)>;

    ModalRunner() = default; // the real modal loop
    explicit ModalRunner(ActWhileShown actWhileShown);

    // Shows the dialog modally and returns its result (QDialog::Accepted / Rejected or a button code).
    int showModal(QDialog& dialog) const;

    // A message box captioned `title`; returns the pressed button.
    QMessageBox::StandardButton showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                            const QString& informativeText = QString()) const;

    // When the session ends under the game (a signal, the desktop's logout, a lost display) nobody is there
    // to answer: from then on no window is shown, messages go to standard error, and each modal window
    // returns at once as rejected (a message box: as its Esc or default button).
    void stopAsking() const { m_stopped = true; }
    bool stopped() const { return m_stopped; }

private:
    ActWhileShown m_actWhileShown;
    mutable bool m_stopped = false; // the runner is shared read-only by every window; this is its one state
};

} // namespace ui
