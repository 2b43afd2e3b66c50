#pragma once
// Every modal window of the game is shown through here, so tests can act "while it is shown"
// (type a name, press Enter, answer a question) instead of racing timers.

#include <QMessageBox>
#include <functional>

class QDialog;
class QWidget;

namespace ui {

// Shows the dialog modally and returns its result (QDialog::Accepted / Rejected or a button code).
int showModal(QDialog& dialog);

// A message box captioned `title`; returns the pressed button.
QMessageBox::StandardButton showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Tests: called instead of running the event loop of a modal window. It acts on the dialog as the user
// would and must close it (accept, reject, done or a click on its button); its result is then returned.
using ModalHandler = std::function<void(QDialog&)>;
void setModalHandler(ModalHandler handler); // an empty handler restores the real modal loop

} // namespace ui
