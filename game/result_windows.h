#pragma once
// The three picture windows that announce a finished round: won, lost, given up. Each is borderless,
// cut to an elliptical outline, and closes with OK at a click anywhere inside it. The picture, the button and
// the title are made at the first showing.

#include "ui/built_on_first_show.h"

#include <QDialog>
#include <QPixmap>
#include <QRegion>

class QPushButton;

namespace ui {
class ShadowLabel;
}

// What the three windows share; each passes its picture and the places of its texts.
class TResultWindow : public ui::BuiltOnFirstShow<QDialog>
{
    Q_OBJECT

public:
    // The outline all three windows are cut to: an ellipse over x 1..400, y 4..295 and two
    // one-pixel runs on the line y 299.
    static QRegion outline();

    QWidget* CoolForm1 = nullptr; // the picture
    QPushButton* CoolButton1 = nullptr; // covers the window; a click closes it
    ui::ShadowLabel* RxLabel1 = nullptr; // the title

    void CoolButton1Click();

    // With keyboard play on, Esc, Enter and Space close the window as a click does; off, only a click.
    void setClosedByKeys(bool on) { m_closedByKeys = on; }

protected:
    struct Look
    {
        const char* objectName;
        QString picture; // resource path of the picture
        QString title;
        QRect titlePlace;
    };
    TResultWindow(const Look& look, QWidget* parent);
    // A click closes the window; Esc, Enter and Space only with keyboard play on.
    void keyPressEvent(QKeyEvent* event) override;
    void buildWindow() override;
    // The answer label of the loss and give-up windows.
    ui::ShadowLabel* makeAnswerLabel(QRect place);

    bool m_closedByKeys = false;

private:
    Look m_look;
};

class TfrmGratulalok : public TResultWindow
{
    Q_OBJECT

public:
    explicit TfrmGratulalok(QWidget* parent = nullptr);
};

class TfrmSajnos : public TResultWindow
{
    Q_OBJECT

public:
    explicit TfrmSajnos(QWidget* parent = nullptr);

    ui::ShadowLabel* eDuma = nullptr; // the answer, written before every showing
};

class TfrmSzabad : public TResultWindow
{
    Q_OBJECT

public:
    explicit TfrmSzabad(QWidget* parent = nullptr);

    ui::ShadowLabel* eDuma = nullptr;
};
