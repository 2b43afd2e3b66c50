#pragma once
// The one way an error that reached a window is shown: an error box captioned with the application title,
// the message ending in a full stop unless its last character already sorts at or before one.

#include <string>

class QWidget;

namespace ui {

// `message` is Windows-1250 text (as storage errors carry it).
void showError(QWidget* parent, const std::string& message);
// The text as shown: a full stop appended when the last byte sorts after '.'.
std::string errorBoxText(const std::string& message);

} // namespace ui
