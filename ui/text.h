#pragma once
// The game keeps its text as Windows-1250 bytes; widgets show Unicode. These two convert at that edge.

#include <QString>
#include <string>
#include <string_view>

namespace ui {

QString toQt(std::string_view cp1250Text);
// Throws storage::StorageError when a character has no Windows-1250 byte.
std::string fromQt(const QString& text);

} // namespace ui
