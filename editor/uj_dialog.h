#pragma once
// "Új feladat": the details dialog that completes a typed puzzle (rows, hints, language, level, category).
// Made once at start, its controls at the first showing; its fields keep their values from one showing to
// the next.

#include "ui/built_on_first_show.h"

#include <QDialog>
#include <QString>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class RadioGroup;
}

class TfrmUj : public ui::BuiltOnFirstShow<QDialog>
{
    Q_OBJECT

public:
    static constexpr int RowFieldLimit = 13;
    static constexpr int HintFieldLimit = 100;

    explicit TfrmUj(QWidget* parent = nullptr);

    // --- controls, named as on the window
    QPushButton* BitBtn1 = nullptr; // OK, the default button
    QPushButton* BitBtn2 = nullptr; // Mégsem, the cancel button
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* e1 = nullptr;
    QLineEdit* e2 = nullptr;
    QLineEdit* e3 = nullptr;
    ui::RadioGroup* rgUjKat = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* eSg1 = nullptr;
    QLineEdit* eSg2 = nullptr;
    ui::RadioGroup* rgUjNyelv = nullptr;
    ui::RadioGroup* rgUjFokozat = nullptr;

    std::array<QLineEdit*, 3> rowFields()
    {
        ensureBuilt();
        return {e1, e2, e3};
    }

    void FormCreate();
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
    void buildWindow() override;

private:
    void buildControls();
};
