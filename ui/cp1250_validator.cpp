#include "ui/cp1250_validator.h"

#include "storage/cp1250.h"

namespace ui {

bool Cp1250Validator::isStorable(const QString& text)
{
    for (char32_t codePoint : text.toUcs4()) {
        if (!storage::cp1250::byteFor(codePoint))
            return false;
    }
    return true;
}

QValidator::State Cp1250Validator::validate(QString& input, int&) const
{
    return isStorable(input) ? Acceptable : Invalid;
}

} // namespace ui
