#include "ui/text.h"

#include "storage/cp1250.h"

namespace ui {

QString toQt(std::string_view cp1250Text)
{
    return QString::fromStdU16String(storage::cp1250::toUtf16(cp1250Text));
}

std::string fromQt(const QString& text) { return storage::cp1250::fromUtf16(text.toStdU16String()); }

} // namespace ui
