#pragma once
// A flat button that carries a numeric tag, so a family of buttons can share one handler. It takes no
// keyboard focus (key presses belong to the window) unless a window gives it a focus policy; focused, Enter
// presses it as Space does.

#include <QToolButton>

namespace ui {

class FlatButton : public QToolButton
{
    Q_OBJECT

public:
    FlatButton(int tag, QWidget* parent = nullptr);

    int tag() const { return m_tag; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_tag;
};

} // namespace ui
