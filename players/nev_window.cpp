#include "players/nev_window.h"

#include "players/player_register.h"
#include "ui/centre.h"
#include "ui/colours.h"
#include "ui/cp1250_validator.h"
#include "ui/error_box.h"
#include "ui/fonts.h"
#include "ui/text.h"

#include <QKeyEvent>
#include <QLineEdit>

TfrmNev::TfrmNev(const ui::ModalRunner& modal, QWidget* parent)
    : BuiltOnFirstShow(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_modal(modal)
{
    setObjectName(QStringLiteral("frmNev"));
    setAccessibleName(QStringLiteral("Játékos neve"));
    setFixedSize(308, 28);
    QPalette background = palette();
    background.setColor(QPalette::Window, ui::PanelColour);
    setPalette(background);
    setAutoFillBackground(true);
}

void TfrmNev::buildWindow()
{
    setFont(ui::defaultFont());
    eNev = new QLineEdit(this);
    eNev->setObjectName(QStringLiteral("eNev"));
    eNev->setAccessibleName(QStringLiteral("A játékos neve"));
    eNev->setGeometry(3, 3, 302, 22);
    // The register keeps 20 characters: the field takes no more as they are typed or pasted, and says so
    // while it is empty, so a name is never cut once it is stored.
    eNev->setMaxLength(MaxNameLength);
    eNev->setPlaceholderText(QStringLiteral("A játékos neve (legfeljebb %1 betű)").arg(MaxNameLength));
    eNev->setValidator(new ui::Cp1250Validator(eNev));
    eNev->installEventFilter(this);
}

void TfrmNev::setName(const QString& name)
{
    ensureBuilt();
    eNev->setText(name.left(MaxNameLength));
    eNev->selectAll();
}

QString TfrmNev::name() const { return eNev ? eNev->text() : QString(); }

void TfrmNev::FormKeyUp(int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Escape) {
        reject();
        return;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    // Everything the validator let through has a Windows-1250 byte.
    if (players::isBlankName(ui::fromQt(name()))) {
        ui::showError(m_modal, this, "Adja meg a játékos nevét");
        activateWindow();
        eNev->setFocus();
        return;
    }
    accept();
}

bool TfrmNev::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == eNev && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool closingKey
            = key->key() == Qt::Key_Escape || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (key->isAutoRepeat())
            return closingKey;
        if (event->type() == QEvent::KeyPress) {
            if (closingKey)
                m_closingKeys.pressed(*key);
            return false; // the dialog's keyPressEvent keeps Enter and Esc from acting on their press
        }
        if (m_closingKeys.released(*key))
            FormKeyUp(key->key(), key->modifiers());
        return closingKey;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmNev::keyPressEvent(QKeyEvent* event)
{
    // Enter and Esc act when released (FormKeyUp), not when pressed as in an ordinary dialog.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmNev::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui::centreOnDesktop(*this);
    m_closingKeys.forget();
    eNev->setFocus();
}
