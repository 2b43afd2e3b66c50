#pragma once
// The three picture windows that announce a finished round: won, lost, given up. Each is borderless,
// cut to an elliptical outline, and closes with OK at a click anywhere inside it. The picture, the button and
// the title are made at the first showing.

#include "ui/built_on_first_show.h"

#include <QDialog>
#include <QPixmap>
#include <QRegion>
#include <cstdint>

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
    // The round's score and the player's total with it, on a band of its own below the picture's middle.
    ui::ShadowLabel* lPont = nullptr;

    void CoolButton1Click();
    // Written before every showing: "Ebben a menetben: +45" and "Összesen: 245".
    void showScores(int32_t roundScore, int32_t total);

    // With keyboard play on, Esc, Enter and Space close the window as a click does; off, only a click.
    void setClosedByKeys(bool on) { m_closedByKeys = on; }

protected:
    struct Look
    {
        const char* objectName;
        QString picture; // resource path of the picture
        QString title;
        QRect titlePlace;
        QRect scorePlace; // lPont, clear of the title and the answer
    };
    TResultWindow(const Look& look, QWidget* parent);
    // A click closes the window; Esc, Enter and Space only with keyboard play on.
    void keyPressEvent(QKeyEvent* event) override;
    void buildWindow() override;
    // The answer label of the loss and give-up windows, and a further line of text.
    ui::ShadowLabel* makeAnswerLabel(QRect place);
    ui::ShadowLabel* makeLineLabel(const char* name, QRect place, const QString& text);

    bool m_closedByKeys = false;

private:
    Look m_look;
    QString m_scores; // shown by lPont, which is made at the first showing
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
    // Says that the round was given up, so that the window reads apart from a loss under the same title.
    ui::ShadowLabel* lFeladta = nullptr;

protected:
    void buildWindow() override;
};
