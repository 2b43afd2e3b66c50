#include "ui/modal.h"

#include <QDialog>

namespace ui {
namespace {
ModalHandler& handler()
{
    static ModalHandler instance;
    return instance;
}
} // namespace

void setModalHandler(ModalHandler h) { handler() = std::move(h); }

int showModal(QDialog& dialog)
{
    if (!handler())
        return dialog.exec();
    // Mirror exec(): the dialog is visible while the handler acts, and hidden again afterwards.
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    handler()(dialog);
    dialog.hide();
    return dialog.result();
}

QMessageBox::StandardButton showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                        const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    showModal(box);
    auto* clicked = box.clickedButton();
    if (!clicked)
        return box.escapeButton() ? box.standardButton(box.escapeButton()) : QMessageBox::NoButton;
    return box.standardButton(clicked);
}

} // namespace ui
