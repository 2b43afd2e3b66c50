#include "ui/error_box.h"

#include "ui/modal.h"
#include "ui/text.h"

namespace ui {

std::string errorBoxText(const std::string& message)
{
    // Compared as unsigned bytes: accented letters sort after the full stop, so they get one too.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + '.';
    return message;
}

void showError(QWidget* parent, const std::string& message)
{
    showMessage(parent, QMessageBox::Critical, QStringLiteral("Brumvelda"), toQt(errorBoxText(message)));
}

} // namespace ui
