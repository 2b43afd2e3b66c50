#pragma once
// The general settings: mistake limit, exact level, keyboard play, and whether recent puzzles come again. Its
// controls are made at its first showing.

#include "ui/built_on_first_show.h"

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QLabel;
class QPushButton;

namespace ui {
class RadioGroup;
class SpinField;
} // namespace ui

class TfrmBeallitas : public ui::BuiltOnFirstShow<QDialog>
{
    Q_OBJECT

public:
    explicit TfrmBeallitas(QWidget* parent = nullptr);

    static constexpr int MaxLimit = 30;

    // Fills the fields from the game's settings before the dialog is shown (the limit shown within 0..30).
    void loadSettings(int32_t maxMistakes, int32_t exactLevel);
    // After OK: the limit as confirmed (typed text read and brought into 0..30) and the level rule.
    int32_t chosenMaxMistakes();
    int32_t chosenExactLevel() const;
    void loadKeyboardPlay(bool on);
    bool chosenKeyboardPlay() const;
    void loadAvoidRepeats(bool on);
    bool chosenAvoidRepeats() const;

    QLabel* Label1 = nullptr;
    ui::SpinField* eMaxHiba = nullptr;
    ui::RadioGroup* rgPontos = nullptr;
    QCheckBox* cbBillentyu = nullptr;
    QCheckBox* cbNemIsmetel = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void buildWindow() override;
};
