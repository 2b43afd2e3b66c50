#pragma once
// The raised panel that holds the main window's toolbar buttons. As a plain frame a screen reader takes it
// for a window of its own, one that is never active, and says nothing of the buttons focused in it: it
// tells assistive tools that it is a toolbar.

#include <QFrame>

namespace ui {

class ToolbarPanel : public QFrame
{
    Q_OBJECT

public:
    explicit ToolbarPanel(QWidget* parent);
};

} // namespace ui
