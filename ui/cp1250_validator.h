#pragma once
// Refuses typed or pasted text holding a character that has no Windows-1250 byte, so what reaches the game
// can always be stored as it was typed (never turned into '?').

#include <QValidator>

namespace ui {

class Cp1250Validator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;
    static bool isStorable(const QString& text);
};

} // namespace ui
