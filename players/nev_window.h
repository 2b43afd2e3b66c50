#pragma once
// The one-line player name entry: a borderless strip with one edit box, made at its first showing. Enter
// closes it with OK and Esc with Cancel, both on the key's release; a blank name is refused and the entry
// stays open.

#include "ui/built_on_first_show.h"
#include "ui/key_release_guard.h"

#include <QDialog>

class QLineEdit;

namespace ui {
class ModalRunner;
}

class TfrmNev : public ui::BuiltOnFirstShow<QDialog>
{
    Q_OBJECT

public:
    explicit TfrmNev(const ui::ModalRunner& modal, QWidget* parent = nullptr);

    static constexpr int MaxNameLength = 20; // the register's Nev field

    // The name shown in the entry (the record's name when renaming, empty for a new player).
    void setName(const QString& name);
    QString name() const;

    QLineEdit* eNev = nullptr;

    // Key releases reach the window before its edit box.
    void FormKeyUp(int key, Qt::KeyboardModifiers shift);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void buildWindow() override;

private:
    const ui::ModalRunner& m_modal; // the refusal of a blank name
    // Enter or Esc pressed in the entry: only its own release acts, not the release of the Enter that
    // closed the refusal message (which would show the message again and again).
    ui::KeyReleaseGuard m_closingKeys;
};
