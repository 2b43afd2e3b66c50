#include "game/result_windows.h"

#include "ui/centre.h"
#include "ui/colours.h"
#include "ui/own_colours.h"
#include "ui/shadow_label.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

namespace {

constexpr QSize ClientSize(399, 298);
constexpr QSize PictureSize(400, 300);
const QColor Yellow(255, 255, 0);
const QColor White(255, 255, 255);
const QColor Grey(128, 128, 128);
const QColor ScoreBand(0, 0, 0, 150);

// The "Arial Black" of the old desktop: the heaviest DejaVu Sans at the same pixel size.
QFont heavyFont(int pixels)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setWeight(QFont::Black);
    return font;
}

// The picture, drawn at build time from its SVG (game/render_pictures.cpp) and shown centred on the window.
// It is loaded at its first paint, not when the window is made at program start, so the main window shows
// sooner.
class Picture : public QWidget
{
public:
    Picture(const QString& resource, QWidget* parent)
        : QWidget(parent)
        , m_resource(resource)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (m_image.isNull() && !m_image.load(m_resource)) {
            m_image = QPixmap(PictureSize);
            m_image.fill(Qt::black);
        }
        QPainter painter(this);
        painter.drawPixmap((width() - m_image.width()) / 2, (height() - m_image.height()) / 2, m_image);
    }

private:
    QString m_resource;
    QPixmap m_image;
};

ui::ShadowLabel* makeShadowLabel(QWidget* parent, const char* name, QRect place, const QFont& font,
                                 const QColor& colour)
{
    auto* label = new ui::ShadowLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setFont(font);
    label->setColour(colour);
    label->setShadowColour(Grey);
    label->setShadowDepth(2);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The click belongs to the button under the texts.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

QRegion TResultWindow::outline()
{
    QRegion region(QRect(1, 4, 400, 292), QRegion::Ellipse);
    region += QRect(1, 299, 170, 1);
    region += QRect(229, 299, 172, 1);
    return region;
}

TResultWindow::TResultWindow(const Look& look, QWidget* parent)
    : BuiltOnFirstShow(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_look(look)
{
    setObjectName(QLatin1String(look.objectName));
    // No caption bar to carry a title: screen readers name the window by its title text.
    setAccessibleName(look.title);
    setFixedSize(ClientSize);
    setModal(true);
    // Outside the outline the window does not exist: the desktop shows through and clicks go below.
    setMask(outline());
    // Its own colours: the texts are drawn over the picture whatever the desktop's palette.
    ui::useOwnColours(this, Qt::black, White, Grey);
    ui::centreOnDesktop(*this);
}

void TResultWindow::buildWindow()
{
    CoolForm1 = new Picture(m_look.picture, this);
    CoolForm1->setObjectName(QStringLiteral("CoolForm1"));
    CoolForm1->setGeometry(rect());

    CoolButton1 = new QPushButton(this);
    CoolButton1->setObjectName(QStringLiteral("CoolButton1"));
    CoolButton1->setAccessibleName(QStringLiteral("Bezárás"));
    CoolButton1->setGeometry(0, 0, 401, 297);
    CoolButton1->setFlat(true);
    CoolButton1->setFocusPolicy(Qt::NoFocus);
    CoolButton1->setAutoDefault(false);
    CoolButton1->setCursor(Qt::PointingHandCursor);
    // No face of its own: the picture shows through.
    CoolButton1->setStyleSheet(QStringLiteral("QPushButton { background: transparent; border: none; }"));
    connect(CoolButton1, &QPushButton::clicked, this, [this] { CoolButton1Click(); });

    RxLabel1 = makeShadowLabel(this, "RxLabel1", m_look.titlePlace, heavyFont(32), Yellow);
    RxLabel1->setText(m_look.title);
    lPont = makeShadowLabel(this, "lPont", m_look.scorePlace, heavyFont(15), White);
    lPont->setAlignment(Qt::AlignCenter);
    lPont->setBand(ScoreBand);
    lPont->setText(m_scores);
    // The answer label, made with the window because the game writes into it before showing, lies on top.
    if (auto* answer = findChild<ui::ShadowLabel*>(QStringLiteral("eDuma"), Qt::FindDirectChildrenOnly))
        answer->raise();
}

void TResultWindow::showScores(int32_t roundScore, int32_t total)
{
    const QString signedScore
        = roundScore > 0 ? QStringLiteral("+%1").arg(roundScore) : QString::number(roundScore);
    m_scores = QStringLiteral("Ebben a menetben: %1\nÖsszesen: %2").arg(signedScore).arg(total);
    if (lPont)
        lPont->setText(m_scores);
}

void TResultWindow::CoolButton1Click() { done(QDialog::Accepted); }

void TResultWindow::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    if (!m_closedByKeys || event->isAutoRepeat())
        return;
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        CoolButton1Click();
        break;
    default:
        break;
    }
}

ui::ShadowLabel* TResultWindow::makeAnswerLabel(QRect place)
{
    return makeShadowLabel(this, "eDuma", place, heavyFont(16), White);
}

ui::ShadowLabel* TResultWindow::makeLineLabel(const char* name, QRect place, const QString& text)
{
    ui::ShadowLabel* label = makeShadowLabel(this, name, place, heavyFont(15), White);
    label->setText(text);
    return label;
}

TfrmGratulalok::TfrmGratulalok(QWidget* parent)
    : TResultWindow({"frmGratulalok", QStringLiteral(":/art/gratulalok.png"), QStringLiteral("GRATULÁLOK!"),
                     QRect(63, 96, 273, 45), QRect(84, 40, 231, 50)},
                    parent)
{
}

TfrmSajnos::TfrmSajnos(QWidget* parent)
    : TResultWindow({"frmSajnos", QStringLiteral(":/art/sajnos.png"), QStringLiteral("Ez nem jött be!"),
                     QRect(60, 32, 279, 45), QRect(84, 140, 231, 50)},
                    parent)
{
    eDuma = makeAnswerLabel(QRect(-1, 192, 401, 97));
}

TfrmSzabad::TfrmSzabad(QWidget* parent)
    : TResultWindow({"frmSzabad", QStringLiteral(":/art/szabad.png"), QStringLiteral("Ez nem jött be!"),
                     QRect(60, 32, 279, 45), QRect(68, 212, 176, 46)},
                    parent)
{
    eDuma = makeAnswerLabel(QRect(24, 112, 217, 97));
}

void TfrmSzabad::buildWindow()
{
    TResultWindow::buildWindow();
    lFeladta = makeLineLabel("lFeladta", QRect(24, 80, 217, 26), QStringLiteral("Ezt a menetet feladta."));
}
