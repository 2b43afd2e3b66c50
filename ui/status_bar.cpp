#include "ui/status_bar.h"

#include "ui/fitted_text.h"

#include <QLabel>

namespace ui {

StatusBar::StatusBar(const std::vector<Panel>& panels, QWidget* parent)
    : QWidget(parent)
    , m_panels(panels)
{
    for (const Panel& panel : m_panels) {
        auto* label = new QLabel(this);
        label->setAlignment(panel.alignment | Qt::AlignVCenter);
        label->setFrameStyle(panel.bevel ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
        label->setIndent(2);
        m_labels.push_back(label);
    }
    layoutPanels();
}

QString StatusBar::panelText(int index) const { return m_labels.at(static_cast<size_t>(index))->text(); }

void StatusBar::setPanelText(int index, const QString& text)
{
    layoutPanels(); // the panel's width is known before the window was first shown and resized
    // Narrowed rather than cut when a panel's text runs wider than its fixed width.
    showFitted(m_labels.at(static_cast<size_t>(index)), text);
}

void StatusBar::resizeEvent(QResizeEvent*) { layoutPanels(); }

void StatusBar::layoutPanels()
{
    int x = 0;
    const int top = 2;
    const int h = std::max(height() - top, 0);
    for (size_t i = 0; i < m_labels.size(); ++i) {
        const bool last = i + 1 == m_labels.size();
        const int w = last ? std::max(width() - x, 0) : m_panels[i].width;
        m_labels[i]->setGeometry(x, top, w - 2, h);
        x += w;
    }
}

} // namespace ui
