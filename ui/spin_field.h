#pragma once
// A whole-number field with spin buttons: arrows step by one, Page Up and Page Down by five, any text may be
// typed and a text that is not a whole number reads as 0. The value stays within the range; typed text is
// brought into it when the field is left or Enter is pressed.

#include <QSpinBox>

namespace ui {

class SpinField : public QSpinBox
{
    Q_OBJECT

public:
    explicit SpinField(QWidget* parent = nullptr);

    static constexpr int PageStep = 5;

    QLineEdit* editor() const { return lineEdit(); }

    // Reads the typed text now (as leaving the field does) and shows the value it became.
    void interpretTypedText();

    // The reading of a typed text: a whole number (sign and surrounding blanks allowed), otherwise 0.
    static int readWholeNumber(const QString& text);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace ui
