#pragma once
// A window whose controls are made at its first showing, or when it is first asked for them, rather than
// when the window itself is made at program start: the main window appears sooner. Until then the
// window has its size, title and flags but no children.

#include <QtGlobal>

namespace ui {

template <typename Window>
class BuiltOnFirstShow : public Window
{
public:
    using Window::Window;

    // Makes the controls unless they are made; every public function that reaches them calls this first.
    void ensureBuilt()
    {
        if (m_built)
            return;
        m_built = true;
        buildWindow();
    }
    bool isBuilt() const { return m_built; }

    void setVisible(bool visible) override
    {
        if (visible)
            ensureBuilt();
        Window::setVisible(visible);
    }

protected:
    virtual void buildWindow() = 0;

private:
    bool m_built = false;
};

} // namespace ui
