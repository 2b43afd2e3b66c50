#pragma once
// The one way an error that reached a window is shown: an error box captioned with the application title,
// the message ending in a full stop unless its last character already sorts at or before one.

#include <QString>
#include <exception>
#include <string>

class QWidget;

namespace ui {

class ModalRunner;

// `message` is UTF-8 (as storage errors carry it, paths included) or Windows-1250 (the game's own texts).
void showError(const ModalRunner& modal, QWidget* parent, const std::string& message);
// The text as shown: a full stop appended when the last byte sorts after '.'.
std::string errorBoxText(const std::string& message);
// The message as Unicode: UTF-8 when it is valid UTF-8, otherwise Windows-1250.
QString errorMessageText(const std::string& message);

// Runs `action`; an error escaping it is shown in the error box and the program goes on.
// Returns whether the action ran to its end.
template <typename Action>
bool runShowingErrors(const ModalRunner& modal, QWidget* parent, Action action)
{
    try {
        action();
        return true;
    } catch (const std::exception& error) {
        showError(modal, parent, error.what());
        return false;
    }
}

// The warning after a save that kept a damaged file's original under `backupPath` (a UTF-8 path).
void showBackupKept(const ModalRunner& modal, QWidget* parent, const std::string& backupPath);

} // namespace ui
