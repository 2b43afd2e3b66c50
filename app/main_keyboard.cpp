// Keyboard play, for players who cannot or would rather not use the mouse: typed letters and toolbar
// shortcuts. Off by default; then typed keys have no effect on a round.
#include "app/main_window.h"

#include "game/result_windows.h"
#include "game/tables.h"
#include "storage/cp1250.h"
#include "ui/flat_button.h"

#include <QKeyEvent>
#include <QShortcut>
#include <QToolButton>

void TfrmMain::buildShortcuts()
{
    // Desktop habits where there is one (new, settings, quit), the Hungarian word's letter elsewhere.
    const std::pair<QToolButton * TfrmMain::*, QKeySequence> keys[] = {
        {&TfrmMain::tbJatekos, QKeySequence(Qt::CTRL | Qt::Key_J)}, // Játékos
        {&TfrmMain::tbBeallitas, QKeySequence(Qt::CTRL | Qt::Key_Comma)},
        {&TfrmMain::tbUj, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {&TfrmMain::tbInfo, QKeySequence(Qt::CTRL | Qt::Key_H)}, // hint
        {&TfrmMain::tbMaganh, QKeySequence(Qt::CTRL | Qt::Key_M)}, // Magánhangzók
        {&TfrmMain::tbSzabad, QKeySequence(Qt::CTRL | Qt::Key_G)}, // Szabad a gazda
        {&TfrmMain::tbExit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    for (const auto& [member, sequence] : keys) {
        QToolButton* button = this->*member;
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setEnabled(false);
        // A shortcut does what a click does, and like a click nothing while the mode disables the button.
        connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled() && button->isVisible())
                button->click();
        });
        m_toolbarShortcuts.push_back({button, button->toolTip(), shortcut});
    }
}

void TfrmMain::setKeyboardPlay(bool on)
{
    m_keyboardPlay = on;
    for (const ToolbarShortcut& entry : m_toolbarShortcuts) {
        entry.shortcut->setEnabled(on);
        // The tool tip's first line stays the button's name; the keys follow on a line of their own.
        entry.button->setToolTip(on ? entry.toolTip + QLatin1Char('\n')
                                         + entry.shortcut->key().toString(QKeySequence::NativeText)
                                    : entry.toolTip);
    }
    for (TResultWindow* window : {static_cast<TResultWindow*>(m_windows.frmGratulalok),
                                  static_cast<TResultWindow*>(m_windows.frmSajnos),
                                  static_cast<TResultWindow*>(m_windows.frmSzabad)}) {
        if (window)
            window->setClosedByKeys(on);
    }
}

bool TfrmMain::drawOnEnter(QKeyEvent* event)
{
    if (!m_keyboardPlay || EditMode || event->modifiers() != Qt::NoModifier)
        return false;
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    event->accept();
    // Between rounds, as after a closed result window, Enter asks for the next puzzle; in a round it does
    // nothing. The Enter that closed the result window was taken by that window.
    if (!event->isAutoRepeat() && tbUj->isEnabled() && tbUj->isVisible())
        tbUj->click();
    return true;
}

bool TfrmMain::pressTypedLetter(QKeyEvent* event)
{
    if (!m_keyboardPlay || EditMode)
        return false;
    // Ctrl and Alt make a shortcut, not a letter (AltGr letters arrive without them).
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString upper = event->text().toUpper();
    const QList<uint> codePoints = upper.toUcs4();
    if (codePoints.size() != 1)
        return false;
    const std::optional<char> byte = storage::cp1250::byteFor(static_cast<char32_t>(codePoints.front()));
    const size_t index = byte ? game::CapitalLetters.find(*byte) : std::string_view::npos;
    if (index == std::string_view::npos)
        return false;
    event->accept();
    // A used letter, or one the round does not offer, is disabled: typing it does nothing.
    ui::FlatButton* button = letterButton(int(index) + 1);
    if (button->isEnabled() && !event->isAutoRepeat())
        button->click();
    return true;
}
