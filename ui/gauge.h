#pragma once
// A horizontal progress gauge with a red bar. The position stays within 0..maximum: a larger position is
// taken as the maximum, and lowering the maximum below the position pulls the position down with it.
// Screen readers get the position and maximum through the value interface, and as its name the accessible
// name followed by "position / maximum" ("Hibák: 2 / 5").

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

    QString spokenName() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void changed();

    int m_position = 0;
    int m_maximum = 10;
};

} // namespace ui
