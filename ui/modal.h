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
    QMessageBox::StandardButton
    showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) const;

private:
    ActWhileShown m_actWhileShown;
};

} // namespace ui
