#pragma once
// What a screen reader can learn from the windows: every object's accessible texts, read through Qt's
// accessibility interfaces as the platform bridge reads them.

#include "game/round_fixture.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>

namespace a11y_testing {

inline QAccessibleInterface* accessible(QObject* object)
{
    QAccessibleInterface* found = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(found, nullptr);
    return found;
}
inline QString nameOf(QObject* object) { return accessible(object)->text(QAccessible::Name); }

// Everything an interface tells: its texts, its value and the text of its text interface.
inline QStringList spokenBy(QAccessibleInterface* object)
{
    QStringList said;
    for (QAccessible::Text t : {QAccessible::Name, QAccessible::Description, QAccessible::Value,
                                QAccessible::Help, QAccessible::Accelerator})
        said << object->text(t);
    if (QAccessibleTextInterface* text = object->textInterface())
        said << text->text(0, text->characterCount());
    if (QAccessibleValueInterface* value = object->valueInterface())
        said << value->currentValue().toString();
    said.removeAll(QString());
    return said;
}

// Every text of every object of every window of the program, as "what: object".
inline QStringList everythingSpoken()
{
    QStringList all;
    std::function<void(QAccessibleInterface*, int)> walk = [&](QAccessibleInterface* object, int depth) {
        if (!object || depth > 30)
            return;
        for (const QString& text : spokenBy(object))
            all << text;
        for (int i = 0; i < object->childCount(); ++i)
            walk(object->child(i), depth + 1);
    };
    for (QWidget* window : QApplication::topLevelWidgets())
        walk(QAccessible::queryAccessibleInterface(window), 0);
    return all;
}

} // namespace a11y_testing
