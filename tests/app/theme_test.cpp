// The game's own areas read the same under a light and a dark desktop palette: the status bar's texts and
// the letter buttons keep dark text on their light backgrounds, and a used letter is greyed, never the
// other way round.
#include "game/result_windows.h"
#include "support/window_fixture.h"
#include "ui/colours.h"
#include "ui/flat_button.h"
#include "ui/status_bar.h"

#include <QLabel>

using testing_support::WindowTest;

namespace {

double luminance(const QColor& colour)
{
    auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF())
        + 0.0722 * channel(colour.blueF());
}
double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(110, 110, 110));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(110, 110, 110));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(110, 110, 110));
    return dark;
}

class DesktopPalette : public WindowTest, public ::testing::WithParamInterface<bool>
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        m_desktop = QApplication::palette();
        if (GetParam())
            QApplication::setPalette(darkPalette());
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        QApplication::setPalette(m_desktop);
    }

private:
    QPalette m_desktop;
};

TEST_P(DesktopPalette, StatusBarTextsReadOnTheirBackground)
{
    folder.writePlayers({{"Anna", 0, 0}});
    startAs("Anna");
    const QColor background = main().palette().color(QPalette::Window);
    EXPECT_EQ(background, ui::WindowColour);
    for (QLabel* panel : main().sBar->findChildren<QLabel*>()) {
        SCOPED_TRACE(panel->text().toStdString());
        EXPECT_GE(contrast(panel->palette().color(QPalette::WindowText), background), 4.5);
    }
}

TEST_P(DesktopPalette, UnusedLettersAreDarkAndUsedOnesGreyed)
{
    startProgram();
    ui::FlatButton* letter = main().letterButton(1);
    const QColor panel = main().Panel1->palette().color(QPalette::Window);
    EXPECT_EQ(panel, ui::PanelColour);
    const QColor unused = letter->palette().color(QPalette::Active, QPalette::ButtonText);
    const QColor used = letter->palette().color(QPalette::Disabled, QPalette::ButtonText);
    EXPECT_GE(contrast(unused, panel), 7.0) << "an unused letter stands out";
    EXPECT_LT(contrast(used, panel), contrast(unused, panel)) << "a used letter is the fainter";
    EXPECT_GE(contrast(used, panel), 1.5) << "and still seen";
    EXPECT_LT(luminance(unused), luminance(panel)) << "dark letters on the light panel";
}

TEST_P(DesktopPalette, ResultWindowsKeepTheirOwnColours)
{
    startProgram();
    TfrmSajnos& loss = *windows.frmSajnos;
    EXPECT_EQ(loss.palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(loss.palette().color(QPalette::Window), QColor(Qt::black));
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, DesktopPalette, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "Dark" : "Light"); });

} // namespace
