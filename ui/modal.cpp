#include "ui/modal.h"

#include <QDialog>
#include <cstdio>

namespace ui {

ModalRunner::ModalRunner(ActWhileShown actWhileShown)
    : m_actWhileShown(std::move(actWhileShown))
{
}

int ModalRunner::showModal(QDialog& dialog) const
{
    if (m_stopped) {
        dialog.setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    if (!m_actWhileShown) {
        const int result = dialog.exec();
        // The keyboard, and a screen reader's focus with it, go back to the window the dialog was shown over.
        if (QWidget* owner = dialog.parentWidget())
            owner->window()->activateWindow();
        return result;
    }
    // Mirror exec(): the dialog is visible while the handler acts, and hidden again afterwards.
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    m_actWhileShown(dialog);
    dialog.hide();
    return dialog.result();
}

QMessageBox::StandardButton ModalRunner::showMessage(QWidget* parent, QMessageBox::Icon icon,
                                                     const QString& title, const QString& text,
                                                     QMessageBox::StandardButtons buttons,
                                                     QMessageBox::StandardButton defaultButton,
                                                     const QString& informativeText) const
{
    if (m_stopped) {
        // No window is made at all: the display may be gone. The answer is the one that changes nothing.
        std::fprintf(stderr, "%s: %s %s\n", title.toUtf8().constData(), text.toUtf8().constData(),
                     informativeText.toUtf8().constData());
        for (QMessageBox::StandardButton safe : {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Ok})
            if (buttons.testFlag(safe))
                return safe;
        return QMessageBox::NoButton;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    box.setInformativeText(informativeText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    showModal(box);
    auto* clicked = box.clickedButton();
    if (!clicked)
        return box.escapeButton() ? box.standardButton(box.escapeButton()) : QMessageBox::NoButton;
    return box.standardButton(clicked);
}

} // namespace ui
