// The main window's editor mode: cells, typed keys, row scrolling, accept and discard. The puzzle being
// typed is m_editorBoard; these handlers pass the presses and keys to it and draw the cells it names.
#include "app/main_window.h"

#include "editor/board_rows.h"
#include "editor/editor_board.h"
#include "editor/uj_dialog.h"
#include "game/tables.h"
#include "storage/cp1250.h"
#include "ui/board_cell.h"
#include "ui/colours.h"
#include "ui/error_box.h"
#include "ui/flat_button.h"
#include "ui/modal.h"
#include "ui/radio_group.h"
#include "ui/text.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include <functional>

namespace {

// Labels have no double-click signal of their own.
class DoubleClickWatcher : public QObject
{
public:
    DoubleClickWatcher(QObject* parent, std::function<void()> action)
        : QObject(parent)
        , m_action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick)
            m_action();
        return false;
    }

private:
    std::function<void()> m_action;
};

// The Windows-1250 character of one typed code point; nothing for several, none, or one without a byte.
std::optional<char> typedByte(const QString& text)
{
    const QList<uint> codePoints = text.toUcs4();
    if (codePoints.size() != 1)
        return std::nullopt;
    return storage::cp1250::byteFor(static_cast<char32_t>(codePoints.front()));
}

// A row field's text as Windows-1250; a character without a byte there cannot be a board character and
// goes to the board as the space it would become anyway.
std::string fieldBytes(const QString& text)
{
    std::string bytes;
    for (uint codePoint : text.toUcs4())
        bytes += storage::cp1250::byteFor(static_cast<char32_t>(codePoint)).value_or(' ');
    return bytes;
}

// The scroll buttons' face: a solid triangle, larger and darker than the style's arrow on an 8-pixel button.
QIcon triangleIcon(bool pointsLeft)
{
    QPixmap picture(6, 12);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const QPolygonF left {QPointF(0, 6), QPointF(6, 0), QPointF(6, 12)};
    const QPolygonF right {QPointF(6, 6), QPointF(0, 0), QPointF(0, 12)};
    painter.drawPolygon(pointsLeft ? left : right);
    return QIcon(picture);
}

bool isModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta
        || key == Qt::Key_AltGr;
}

} // namespace

void TfrmMain::connectEditorHandlers()
{
    connect(tbMod, &QToolButton::clicked, this, [this] { tbModClick(); });
    connect(tbModCancel, &QToolButton::clicked, this, [this] { tbModCancelClick(); });
    connect(tbModOK, &QToolButton::clicked, this, [this] { tbModOKClick(); });
    connect(tbAdatlap, &QToolButton::clicked, this, [this] { tbAdatlapClick(); });
    for (ui::BoardCell* c : p) {
        connect(c, &ui::BoardCell::mousePressed, this,
                [this, c](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool doubleClick) {
                    p1MouseDown(c, button, modifiers, doubleClick);
                });
    }
    for (ui::FlatButton* button : rowScrollButtons()) {
        button->setIcon(triangleIcon(button->arrowType() == Qt::LeftArrow));
        button->setIconSize(QSize(6, 12));
        button->setArrowType(Qt::NoArrow);
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        connect(button, &QToolButton::clicked, this, [this, button] { sb1jClick(button); });
    }
    for (QLabel* line : {eInfo, eSugo1, eSugo2})
        line->installEventFilter(new DoubleClickWatcher(line, [this] { eInfoDblClick(); }));
}

void TfrmMain::showEdit(const editor::BoardEdit& edit)
{
    // In editor mode a cell shows its character in the blank cell's colours, the selected one on yellow.
    for (int k = 1; k <= game::CellCount; ++k) {
        if (!edit.cells[size_t(k - 1)])
            continue;
        const QColor background
            = k == m_editorBoard.SelectedCell() ? ui::LetterCellColour : ui::PlainCellColour;
        cell(k)->setLook(ui::toQt(std::string(1, m_editorBoard.at(k))), background, ui::LetterTextColour);
    }
}

void TfrmMain::tbModClick()
{
    applyMode(Mode::Editor);
    EditMode = true;
    lKategoria->setText(QStringLiteral("Új felvitel"));
    m_editorBoard.clear();
    ResetBoard(true, false, false); // the blank board it now holds
    eInfo->show();
    for (ui::FlatButton* button : rowScrollButtons())
        button->show();
}

void TfrmMain::leaveEditorMode()
{
    for (ui::FlatButton* button : rowScrollButtons())
        button->hide();
    eInfo->hide();
    EditMode = false;
    m_editorBoard.clear();
    lKategoria->setText(QStringLiteral("Kategória"));
    ResetBoard(true, false, false);
    applyMode(Mode::EditorLeft);
}

void TfrmMain::tbModCancelClick() { leaveEditorMode(); }

void TfrmMain::p1MouseDown(ui::BoardCell* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                           bool DoubleClick)
{
    if (!EditMode || DoubleClick)
        return;
    // Only a plain press counts: no Shift, Ctrl or Alt, and no other mouse button held (reported as none).
    if (Shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return;
    if (Button != Qt::LeftButton && Button != Qt::RightButton)
        return;

    showEdit(Button == Qt::RightButton ? m_editorBoard.empty(Sender->tag())
                                       : m_editorBoard.select(Sender->tag()));
}

void TfrmMain::FormKeyPress(QKeyEvent* event)
{
    // Typed keys never reach the play side; the guesses come from the letter buttons alone.
    event->accept();
    if (!isModifierKey(event->key()))
        m_editorKeys.pressed(*event);
    if (!EditMode || m_editorBoard.SelectedCell() == 0)
        return;
    // Alt with a letter is a shortcut, not a typed character (Ctrl+Alt is how some layouts reach AltGr).
    const Qt::KeyboardModifiers held = event->modifiers();
    if ((held & Qt::AltModifier) && !(held & Qt::ControlModifier))
        return;
    if (const std::optional<char> typed = typedByte(event->text()))
        showEdit(m_editorBoard.type(*typed));
}

void TfrmMain::FormKeyUp(QKeyEvent* event)
{
    // A release whose press went elsewhere (the Esc or Enter that closed the details dialog) must not
    // discard or accept the puzzle on the board.
    if (!m_editorKeys.released(*event) || !EditMode)
        return;
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        event->accept();
        tbModCancelClick();
        return;
    }
    const Qt::KeyboardModifiers shift = event->modifiers() & ~Qt::KeypadModifier;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && shift == Qt::ControlModifier) {
        event->accept();
        tbModOKClick();
    }
}

void TfrmMain::sb1jClick(ui::FlatButton* Sender) { showEdit(m_editorBoard.turnRow(Sender->tag())); }

std::optional<editor::PuzzleDetails> TfrmMain::ShowPuzzleDetails()
{
    TfrmUj& dialog = *m_windows.frmUj;
    const std::array<QLineEdit*, 3> fields = dialog.rowFields();
    const std::array<std::string, 3> rows = m_editorBoard.rows();
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i]->setText(ui::toQt(rows[i]));

    if (m_modal.showModal(dialog) != QDialog::Accepted)
        return std::nullopt;

    showEdit(m_editorBoard.writeRows(
        {fieldBytes(fields[0]->text()), fieldBytes(fields[1]->text()), fieldBytes(fields[2]->text())}));

    editor::PuzzleDetails details;
    details.language = dialog.rgUjNyelv->itemIndex() + 1;
    details.hint1 = editor::trimmedHint(ui::fromQt(dialog.eSg1->text()));
    details.hint2 = editor::trimmedHint(ui::fromQt(dialog.eSg2->text()));
    details.level = dialog.rgUjFokozat->itemIndex() + 1;
    details.category = dialog.rgUjKat->itemIndex() + 1;
    return details;
}

void TfrmMain::tbModOKClick()
{
    try {
        if (const std::optional<editor::PuzzleDetails> details = ShowPuzzleDetails()) {
            PuzzleCount = editor::appendPuzzle(dbLista, m_editorBoard.cells(), *details);
            m_round.replacePuzzle(m_editorBoard.cells());
            saveListQuietly();
        }
    } catch (const std::exception& error) {
        // The error stops the accept: editor mode stays on with the typed puzzle, to retry or discard.
        ui::showError(m_modal, this, error.what());
        return;
    }
    leaveEditorMode();
}

void TfrmMain::tbAdatlapClick()
{
    ui::runShowingErrors(m_modal, this, [this] { ShowPuzzleDetails(); });
}

void TfrmMain::eInfoDblClick()
{
    // Only the puzzle being typed has a data sheet: during a round the dialog would show the hidden answer.
    if (EditMode)
        tbAdatlapClick();
}
