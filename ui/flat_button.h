#pragma once
// A flat button that never takes the keyboard focus (key presses belong to the window) and carries a
// numeric tag, so a family of buttons can share one handler.

#include <QToolButton>

namespace ui {

class FlatButton : public QToolButton
{
    Q_OBJECT

public:
    FlatButton(int tag, QWidget* parent = nullptr);

    int tag() const { return m_tag; }

private:
    int m_tag;
};

} // namespace ui
