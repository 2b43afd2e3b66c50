#pragma once
// A horizontal progress gauge with a red bar. The position stays within 0..maximum: a larger position is
// taken as the maximum, and lowering the maximum below the position pulls the position down with it.

#include <QWidget>

namespace ui {

class Gauge : public QWidget
{
    Q_OBJECT

public:
    explicit Gauge(QWidget* parent = nullptr);

    int position() const { return m_position; }
    int maximum() const { return m_maximum; }
    void setPosition(int position);
    void setMaximum(int maximum); // values below 1 are taken as 1, so the bar always has a scale

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_position = 0;
    int m_maximum = 10;
};

} // namespace ui
