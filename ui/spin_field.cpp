#include "ui/spin_field.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <climits>

namespace ui {

SpinField::SpinField(QWidget* parent)
    : QSpinBox(parent)
{
    setAccelerated(false);
    // Out-of-range text is clamped, never thrown away for the previous value.
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

int SpinField::readWholeNumber(const QString& text)
{
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return 0;
    return static_cast<int>(std::clamp<qlonglong>(number, INT_MIN, INT_MAX));
}

QValidator::State SpinField::validate(QString&, int&) const
{
    // Anything may be typed; what is not a whole number reads as 0.
    return QValidator::Acceptable;
}

int SpinField::valueFromText(const QString& text) const { return readWholeNumber(text); }

void SpinField::interpretTypedText()
{
    const int read = std::clamp(readWholeNumber(lineEdit()->text()), minimum(), maximum());
    setValue(read);
    // setValue leaves the text alone when the value did not change ("abc" read as an unchanged 0).
    lineEdit()->setText(textFromValue(value()));
}

void SpinField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        interpretTypedText();
        stepBy(event->key() == Qt::Key_PageUp ? PageStep : -PageStep);
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

void SpinField::focusOutEvent(QFocusEvent* event)
{
    QSpinBox::focusOutEvent(event);
    interpretTypedText();
}

} // namespace ui
