// Keyboard play, for players who cannot or would rather not use the mouse: typed letters and toolbar
// shortcuts. Off by default; then typed keys have no effect on a round.
#include "app/main_window.h"

#include "game/result_windows.h"
#include "game/tables.h"
#include "storage/cp1250.h"
#include "ui/board_cell.h"
#include "ui/flat_button.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QShortcut>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <memory>

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
        {&TfrmMain::tbNapi, QKeySequence(Qt::CTRL | Qt::Key_D)}, // the puzzle of the day
        {&TfrmMain::tbStatisztika, QKeySequence(Qt::CTRL | Qt::Key_T)}, // sTatisztika (S saves elsewhere)
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

namespace {
// A screen reader may connect after the game started (Qt learns of it over D-Bus): keyboard play then comes
// on, unless the player chose it in the settings.
class ScreenReaderObserver : public QAccessible::ActivationObserver
{
public:
    explicit ScreenReaderObserver(std::function<void(bool)> changed)
        : m_changed(std::move(changed))
    {
        QAccessible::installActivationObserver(this);
    }
    ~ScreenReaderObserver() override { QAccessible::removeActivationObserver(this); }
    void accessibilityActiveChanged(bool active) override { m_changed(active); }

private:
    std::function<void(bool)> m_changed;
};
} // namespace

void TfrmMain::followScreenReader()
{
    if (m_screenReaderObserver)
        return;
    m_screenReaderObserver = std::make_shared<ScreenReaderObserver>([this](bool active) {
        m_screenReaderSeen = m_screenReaderSeen || active;
        if (active && !m_playerKeyboardPlay && !KeyboardPlay && !m_keyboardPlay)
            setKeyboardPlay(true);
    });
}

void TfrmMain::chooseKeyboardPlay(bool on)
{
    KeyboardPlay = on;
    if (hasPlayer())
        m_playerKeyboardPlay = on;
    setKeyboardPlay(on);
}

void TfrmMain::followPlayerKeyboardPlay(std::optional<bool> own)
{
    m_playerKeyboardPlay = own;
    setKeyboardPlay(own.value_or(KeyboardPlay.value_or(m_screenReaderSeen)));
}

bool TfrmMain::moveOnBoard(QKeyEvent* event)
{
    const auto at = std::find(p.begin(), p.end(), qobject_cast<ui::BoardCell*>(focusWidget()));
    if (at == p.end() || EditMode || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const int index = int(at - p.begin());
    const int row = index / game::RowLength;
    const int column = index % game::RowLength;
    const int rows = game::CellCount / game::RowLength;
    int target = index;
    switch (event->key()) {
    case Qt::Key_Left:
        target = column > 0 ? index - 1 : index;
        break;
    case Qt::Key_Right:
        target = column < game::RowLength - 1 ? index + 1 : index;
        break;
    case Qt::Key_Up:
        target = row > 0 ? index - game::RowLength : index;
        break;
    case Qt::Key_Down:
        target = row < rows - 1 ? index + game::RowLength : index;
        break;
    case Qt::Key_Home:
        target = row * game::RowLength;
        break;
    case Qt::Key_End:
        target = row * game::RowLength + game::RowLength - 1;
        break;
    default:
        return false;
    }
    event->accept();
    p[size_t(target)]->setFocus(Qt::OtherFocusReason);
    return true;
}

bool TfrmMain::drawOnEnter(QKeyEvent* event)
{
    if (!m_keyboardPlay || EditMode || event->modifiers() != Qt::NoModifier)
        return false;
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    event->accept();
    // A toolbar button reached by Tab is pressed by Enter, as Space presses it.
    if (auto* button = qobject_cast<QToolButton*>(focusWidget())) {
        if (!event->isAutoRepeat() && button->isEnabled())
            button->click();
        return true;
    }
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
    // A used letter, or one the round does not offer, is disabled: typing it does nothing but say so.
    ui::FlatButton* button = letterButton(int(index) + 1);
    if (event->isAutoRepeat())
        return true;
    if (button->isEnabled())
        button->click();
    else if (m_round.inPlay())
        announceUsedLetter(button);
    return true;
}
