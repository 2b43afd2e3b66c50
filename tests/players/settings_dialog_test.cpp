// The general settings dialog: the limit and the level rule take effect at once and are written on OK.
#include "players_fixture.h"

#include <filesystem>

namespace {

using players_testing::PlayersTest;
using testing_support::choose;
using testing_support::clickMark;

class GeneralSettings : public PlayersTest
{
protected:
    // Clicks tbBeallitas; `inside` acts while the dialog is shown and must close it.
    void withSettingsDialog(std::function<void(TfrmBeallitas&)> inside)
    {
        withDialog<TfrmBeallitas>(main().tbBeallitas, std::move(inside));
    }
    static void typeLimit(TfrmBeallitas& settings, const QString& typed)
    {
        settings.eMaxHiba->editor()->selectAll();
        QTest::keyClicks(settings.eMaxHiba->editor(), typed);
    }
};

TEST_F(GeneralSettings, OkTakesEffectAtOnceAndIsWrittenBeforeTheProgramEnds)
{
    startProgram();
    EXPECT_EQ(windows.frmBeallitas->windowTitle(), QStringLiteral("Beállítások"));
    withSettingsDialog([](TfrmBeallitas& settings) {
        EXPECT_EQ(settings.eMaxHiba->value(), 10);
        EXPECT_EQ(settings.rgPontos->itemIndex(), 0);
        typeLimit(settings, "5");
        clickMark(settings.rgPontos->button(1));
        click(settings.btOK);
    });
    EXPECT_EQ(main().variables().MaxMistakes, 5);
    EXPECT_EQ(main().variables().ExactLevel, 1);
    EXPECT_EQ(main().eHiba->maximum(), 5);
    const QString ini = settingsText();
    EXPECT_TRUE(ini.contains("MaxHiba=5")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("ExactLevel=1")) << ini.toStdString();
    EXPECT_LT(ini.indexOf("MaxHiba"), ini.indexOf("ExactLevel"));
}

TEST_F(GeneralSettings, CancelChangesAndWritesNothing)
{
    folder.writeSettings("[Main]\nMaxHiba=7\n");
    startProgram();
    withSettingsDialog([](TfrmBeallitas& settings) {
        typeLimit(settings, "3");
        clickMark(settings.rgPontos->button(1));
        click(settings.btCancel);
    });
    EXPECT_EQ(main().variables().MaxMistakes, 7);
    EXPECT_EQ(main().variables().ExactLevel, 0);
    EXPECT_EQ(settingsText(), "[Main]\nMaxHiba=7\n");
    withSettingsDialog([](TfrmBeallitas& settings) {
        EXPECT_EQ(settings.eMaxHiba->value(), 7) << "what was typed and cancelled is forgotten";
        EXPECT_EQ(settings.rgPontos->itemIndex(), 0);
        click(settings.btCancel);
    });
}

TEST_F(GeneralSettings, ZeroHidesTheGaugeAndALaterLimitShowsItAgain)
{
    startProgram();
    withSettingsDialog([](TfrmBeallitas& settings) {
        typeLimit(settings, "0");
        click(settings.btOK);
    });
    EXPECT_EQ(main().variables().MaxMistakes, 0);
    EXPECT_FALSE(main().eHiba->isVisible());
    withSettingsDialog([](TfrmBeallitas& settings) {
        QTest::keyClick(settings.eMaxHiba, Qt::Key_PageUp);
        click(settings.btOK);
    });
    EXPECT_EQ(main().variables().MaxMistakes, 5);
    EXPECT_TRUE(main().eHiba->isVisible());
    EXPECT_EQ(main().eHiba->maximum(), 5);
}

TEST_F(GeneralSettings, LoweringTheLimitBelowTheMistakesMadeLowersTheCount)
{
    folder.writePuzzles({{"ALMA", 1, "", "", 1, 1}});
    folder.writePlayers({{"Anna", 0, 0}});
    startAs("Anna");
    click(main().tbUj);
    for (int k : {3, 4, 5, 8, 9, 10}) // B C D F G H: six misses
        click(main().letterButton(k));
    ASSERT_EQ(main().eHiba->position(), 6);
    withSettingsDialog([](TfrmBeallitas& settings) {
        typeLimit(settings, "4");
        click(settings.btOK);
    });
    EXPECT_EQ(main().round().MistakeCount(), 4);
    EXPECT_EQ(main().eHiba->position(), 4);
}

TEST_F(GeneralSettings, TypedValuesConfirmedWithEnterAreBroughtIntoRange)
{
    startProgram();
    withSettingsDialog([](TfrmBeallitas& settings) {
        typeLimit(settings, "45");
        QTest::keyClick(settings.eMaxHiba, Qt::Key_Return);
    });
    EXPECT_EQ(main().variables().MaxMistakes, 30);
    EXPECT_TRUE(settingsText().contains("MaxHiba=30"));
    withSettingsDialog([](TfrmBeallitas& settings) {
        typeLimit(settings, "sok");
        QTest::keyClick(settings.eMaxHiba, Qt::Key_Return);
    });
    EXPECT_EQ(main().variables().MaxMistakes, 0) << "text that is not a number means no limit";
}

TEST_F(GeneralSettings, AStoredLimitAboveThirtyIsShownAndStoredAsThirty)
{
    folder.writeSettings("[Main]\nMaxHiba=45\n");
    startProgram();
    EXPECT_EQ(main().variables().MaxMistakes, 45);
    withSettingsDialog([](TfrmBeallitas& settings) {
        EXPECT_EQ(settings.eMaxHiba->value(), 30);
        click(settings.btOK);
    });
    EXPECT_EQ(main().variables().MaxMistakes, 30);
    EXPECT_TRUE(settingsText().contains("MaxHiba=30"));
}

TEST_F(GeneralSettings, RecentPuzzlesAreAvoidedUntilTheBoxIsCleared)
{
    startProgram();
    EXPECT_TRUE(main().variables().AvoidRepeats);
    withSettingsDialog([](TfrmBeallitas& settings) {
        EXPECT_TRUE(settings.cbNemIsmetel->isChecked());
        EXPECT_EQ(settings.cbNemIsmetel->text(), QStringLiteral("Ne ismételjen hamar"));
        EXPECT_EQ(settings.cbNemIsmetel->toolTip(),
                  QStringLiteral("Nem ad olyan feladványt, amely az utolsó körökben már volt"));
        clickMark(settings.cbNemIsmetel);
        click(settings.btCancel);
    });
    EXPECT_TRUE(main().variables().AvoidRepeats);
    EXPECT_FALSE(settingsText().contains("NoRepeat")) << "cancel writes nothing";
    withSettingsDialog([](TfrmBeallitas& settings) {
        EXPECT_TRUE(settings.cbNemIsmetel->isChecked()) << "what was cancelled is forgotten";
        clickMark(settings.cbNemIsmetel);
        click(settings.btOK);
    });
    EXPECT_FALSE(main().variables().AvoidRepeats);
    EXPECT_TRUE(settingsText().contains("[Main]\nMaxHiba=10\nExactLevel=0\nKeyboardPlay=0\nNoRepeat=0\n"))
        << settingsText().toStdString();
    withSettingsDialog([](TfrmBeallitas& settings) {
        EXPECT_FALSE(settings.cbNemIsmetel->isChecked());
        click(settings.btCancel);
    });
}

TEST_F(GeneralSettings, AWriteErrorIsShownCaptionedWithTheTitle)
{
    startProgram();
    // A folder where the settings file should be: the file cannot be written.
    std::filesystem::create_directory(folder.file("Brumvelda.ini"));
    withSettingsDialog([this](TfrmBeallitas& settings) {
        typeLimit(settings, "3");
        modals.expectMessage(); // shown after the dialog has closed
        click(settings.btOK);
    });
    ASSERT_EQ(modals.messages().size(), 1u);
    EXPECT_TRUE(modals.messages()[0].startsWith("Unable to write to ")) << modals.messages()[0].toStdString();
    EXPECT_EQ(modals.titles()[0], "Brumvelda");
    EXPECT_EQ(main().variables().ExactLevel, 0);
    std::filesystem::remove(folder.file("Brumvelda.ini"));
}

} // namespace
