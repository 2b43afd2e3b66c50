#include "ui/error_box.h"

#include "ui/modal.h"
#include "ui/text.h"
#include "ui/title.h"

#include <QStringDecoder>

namespace ui {

std::string errorBoxText(const std::string& message)
{
    // Compared as unsigned bytes: accented letters sort after the full stop, so they get one too.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + '.';
    return message;
}

QString errorMessageText(const std::string& message)
{
    // Storage errors name files by their paths and columns by their labels in UTF-8; the game's own texts
    // are Windows-1250, which is never valid UTF-8 once it holds an accented letter.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(QByteArrayView(message.data(), static_cast<qsizetype>(message.size())));
    return utf8.hasError() ? toQt(message) : decoded;
}

void showError(const ModalRunner& modal, QWidget* parent, const std::string& message)
{
    modal.showMessage(parent, QMessageBox::Critical, applicationTitle(),
                      errorMessageText(errorBoxText(message)));
}

void showBackupKept(const ModalRunner& modal, QWidget* parent, const std::string& backupPath)
{
    modal.showMessage(
        parent, QMessageBox::Warning, applicationTitle(),
        QStringLiteral("A sérült fájl eredetijét megőriztük: %1").arg(QString::fromStdString(backupPath)));
}

} // namespace ui
