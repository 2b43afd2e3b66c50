#pragma once
// The main window in editor mode, driven through its real controls: presses on cells, typed keys,
// the toolbar and the details dialog.

#include "editor/uj_dialog.h"
#include "support/window_fixture.h"
#include "ui/board_cell.h"
#include "ui/flat_button.h"
#include "ui/radio_group.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace editor_testing {

using testing_support::choose;
using testing_support::typeInto;

inline const QColor Yellow(255, 255, 0);
inline const QColor Plain(192, 220, 192);
inline const QColor Teal(0, 128, 128);

class EditorTest : public testing_support::WindowTest
{
protected:
    ui::BoardCell* cell(int k) { return main().cell(k); }
    TfrmUj& dialog() { return *windows.frmUj; }

    void enterEditor() { click(main().tbMod); }

    void press(int k, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(cell(k), button, modifiers);
        QTest::mouseRelease(cell(k), button, modifiers);
    }

    // A key as the keyboard layout delivers it: its text, whatever the key (Hungarian layouts give ő, ű).
    void type(const QString& text, Qt::Key key = Qt::Key_unknown, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::sendKeyEvent(QTest::Click, &main(), key, text, modifiers);
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(&main(), key, modifiers); }

    // A real double click: press, release, the second press (reported as a double click), release.
    static void doubleClick(QWidget* widget)
    {
        QTest::mousePress(widget, Qt::LeftButton);
        QTest::mouseRelease(widget, Qt::LeftButton);
        QTest::mouseDClick(widget, Qt::LeftButton);
        QTest::mouseRelease(widget, Qt::LeftButton);
    }
    // Select cell k and type `text` into it.
    void put(int k, const QString& text)
    {
        press(k);
        type(text);
    }
    void putRow(int row, const QString& text)
    {
        for (int i = 0; i < text.size(); ++i)
            put((row - 1) * 13 + 1 + i, text.mid(i, 1));
    }

    QString row(int r)
    {
        QString text;
        for (int k = (r - 1) * 13 + 1; k <= r * 13; ++k)
            text += cell(k)->caption();
        return text;
    }
    QString board() { return row(1) + row(2) + row(3); }

    // The details dialog, as the user fills it in while it is shown, then OK (or Mégsem).
    struct Details
    {
        std::optional<QString> rows[3] = {};
        std::optional<QString> hint1 = {};
        std::optional<QString> hint2 = {};
        int language = -1; // item positions; -1: left as it is
        int level = -1;
        int category = -1;
        bool accept = true;
    };
    void expectDetails(Details details)
    {
        modals.expectDialog<TfrmUj>([details](TfrmUj& uj) {
            const auto fields = uj.rowFields();
            for (int i = 0; i < 3; ++i) {
                if (details.rows[i])
                    typeInto(fields[i], *details.rows[i]);
            }
            if (details.hint1)
                typeInto(uj.eSg1, *details.hint1);
            if (details.hint2)
                typeInto(uj.eSg2, *details.hint2);
            if (details.language >= 0)
                choose(uj.rgUjNyelv, details.language);
            if (details.level >= 0)
                choose(uj.rgUjFokozat, details.level);
            if (details.category >= 0)
                choose(uj.rgUjKat, details.category);
            QTest::mouseClick(details.accept ? uj.BitBtn1 : uj.BitBtn2, Qt::LeftButton);
        });
    }
    // Looks at the dialog as it is shown, then closes it with Mégsem.
    void expectDetailsSeen(std::function<void(TfrmUj&)> look)
    {
        modals.expectDialog<TfrmUj>([look](TfrmUj& uj) {
            look(uj);
            QTest::mouseClick(uj.BitBtn2, Qt::LeftButton);
        });
    }
};

} // namespace editor_testing
