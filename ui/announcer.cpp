#include "ui/announcer.h"

#include "ui/accessible_controls.h"

namespace ui {

namespace {
// Long enough for Orca to take in the cells and buttons that a move changed, short enough to feel at once.
constexpr int DelayMs = 150;
} // namespace

Announcer::Announcer(QWidget* statusBar)
    : QWidget(statusBar)
{
    installAccessibleControls();
    setObjectName(QStringLiteral("announcer"));
    setGeometry(0, 0, 1, 1);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide(); // nothing said yet
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setInterval(DelayMs);
    connect(m_timer, &QTimer::timeout, this, &Announcer::flush);
}

void Announcer::say(const QString& text)
{
    m_pending << text;
    m_timer->start();
}

void Announcer::flush()
{
    m_timer->stop();
    if (m_pending.isEmpty())
        return;
    m_text = m_pending.join(QLatin1Char(' '));
    m_pending.clear();
    setAccessibleName(m_text);
    hide();
    show();
}

} // namespace ui
