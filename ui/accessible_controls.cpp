#include "ui/accessible_controls.h"

#include "ui/announcer.h"
#include "ui/board_cell.h"
#include "ui/gauge.h"
#include "ui/late_label.h"
#include "ui/shadow_label.h"
#include "ui/status_bar.h"
#include "ui/toolbar_panel.h"

#include <QAccessibleWidget>
#include <QFrame>

namespace ui {

namespace {

// Only the name: a cell has no tool tip or value that the generic widget interface could fall back on.
class AccessibleBoardCell : public QAccessibleWidget
{
public:
    explicit AccessibleBoardCell(BoardCell* cell)
        : QAccessibleWidget(cell, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<const BoardCell*>(object())->spokenName() : QString();
    }
};

class AccessibleGauge : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit AccessibleGauge(Gauge* gauge)
        : QAccessibleWidget(gauge, QAccessible::ProgressBar)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return gauge()->spokenName();
        if (t == QAccessible::Value)
            return QString::number(gauge()->position());
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

    QVariant currentValue() const override { return gauge()->position(); }
    void setCurrentValue(const QVariant&) override { } // the game sets the mistakes, never a tool
    QVariant maximumValue() const override { return gauge()->maximum(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    const Gauge* gauge() const { return static_cast<const Gauge*>(object()); }
};

class AccessibleShadowLabel : public QAccessibleWidget
{
public:
    explicit AccessibleShadowLabel(ShadowLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const auto* label = static_cast<const ShadowLabel*>(object());
        if (!label->accessibleName().isEmpty())
            return label->accessibleName();
        // The answer of a finished round is read only while its window shows it.
        if (!label->isVisible())
            return QString();
        QStringList spoken;
        for (const QString& line : label->lines()) {
            const QString simplified = line.simplified();
            if (!simplified.isEmpty())
                spoken << simplified;
        }
        return spoken.join(QLatin1Char('\n'));
    }
};

class AccessibleAnnouncer : public QAccessibleWidget
{
public:
    explicit AccessibleAnnouncer(Announcer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<const Announcer*>(object())->text() : QString();
    }
};

class AccessibleLateLabel : public QAccessibleWidget
{
public:
    explicit AccessibleLateLabel(LateLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const auto* label = static_cast<const LateLabel*>(object());
        return label->isVisible() ? label->text() : QString();
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = false;
        return s;
    }
};

QAccessibleInterface* controlInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String(LateLabel::staticMetaObject.className()))
        return new AccessibleLateLabel(static_cast<LateLabel*>(object));
    if (className == QLatin1String("QFrame")) {
        auto* frame = static_cast<QFrame*>(object);
        // A line between groups of buttons: as a plain frame a screen reader reads it as "keret", and Orca
        // takes a frame for a window of its own.
        if (frame->frameShape() == QFrame::VLine || frame->frameShape() == QFrame::HLine)
            return new QAccessibleWidget(frame, QAccessible::Separator);
    }
    if (className == QLatin1String(ToolbarPanel::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<ToolbarPanel*>(object), QAccessible::ToolBar);
    if (className == QLatin1String(Announcer::staticMetaObject.className()))
        return new AccessibleAnnouncer(static_cast<Announcer*>(object));
    if (className == QLatin1String(StatusBar::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<StatusBar*>(object), QAccessible::StatusBar);
    if (className == QLatin1String(BoardCell::staticMetaObject.className()))
        return new AccessibleBoardCell(static_cast<BoardCell*>(object));
    if (className == QLatin1String(Gauge::staticMetaObject.className()))
        return new AccessibleGauge(static_cast<Gauge*>(object));
    if (className == QLatin1String(ShadowLabel::staticMetaObject.className()))
        return new AccessibleShadowLabel(static_cast<ShadowLabel*>(object));
    return nullptr;
}

} // namespace

void installAccessibleControls()
{
    static const bool installed = [] {
        QAccessible::installFactory(controlInterface);
        return true;
    }();
    (void)installed;
}

QString firstLine(const QString& text)
{
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    return end < 0 ? text : text.left(end);
}

void announce(QWidget* window, const QString& text)
{
    if (auto* announcer = window->findChild<Announcer*>())
        announcer->say(text);
}

} // namespace ui
