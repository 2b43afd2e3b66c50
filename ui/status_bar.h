#pragma once
// A status bar of fixed-width text panels; the last panel takes the rest of the width.

#include <QWidget>
#include <vector>

class QLabel;

namespace ui {

class StatusBar : public QWidget
{
    Q_OBJECT

public:
    struct Panel
    {
        int width = 0; // ignored for the last panel
        bool bevel = true;
        Qt::Alignment alignment = Qt::AlignLeft;
    };
    StatusBar(const std::vector<Panel>& panels, QWidget* parent = nullptr);

    int panelCount() const { return static_cast<int>(m_labels.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutPanels();

    std::vector<Panel> m_panels;
    std::vector<QLabel*> m_labels;
};

} // namespace ui
