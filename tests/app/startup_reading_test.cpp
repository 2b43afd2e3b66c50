// What the main window reads when it is made: settings with their range checks and the puzzle list.
#include "support/window_fixture.h"

#include "app/startup.h"
#include "app/startup_options.h"
#include "ui/gauge.h"

#include <filesystem>
#include <memory>

using testing_support::PuzzleRow;
using testing_support::WindowTest;

namespace {

class StartupReading : public WindowTest
{
};

struct SettingsCase
{
    const char* ini;
    int32_t maxMistakes;
    int32_t exactLevel;
    int32_t language;
    int32_t level;
    int32_t categories;
};

TEST_F(StartupReading, SettingsOutsideTheirRangeFallBackAndTheMistakeLimitIsKept)
{
    const SettingsCase cases[] = {
        {"", 10, 0, 1, 1, 65535},
        {"[Main]\nMaxHiba=4\nExactLevel=1\n[Last]\nLanguage=3\nLevel=4\nCategories=5\n", 4, 1, 3, 4, 5},
        {"[Main]\nExactLevel=2\n[Last]\nLevel=7\nCategories=0\nLanguage=0\n", 10, 0, 1, 1, 65535},
        {"[Last]\nCategories=70000\nLanguage=4\nLevel=0\n", 10, 0, 1, 1, 65535},
        {"[Main]\nMaxHiba=-3\nExactLevel=-1\n[Last]\nCategories=65535\n", -3, 0, 1, 1, 65535},
        {"[Main]\nMaxHiba=0\n[Last]\nCategories=1\n", 0, 0, 1, 1, 1},
    };
    for (const SettingsCase& c : cases) {
        SCOPED_TRACE(c.ini);
        folder.writeSettings(c.ini);
        startProgram();
        TfrmMain& w = main();
        EXPECT_EQ(w.variables().MaxMistakes, c.maxMistakes);
        EXPECT_EQ(w.variables().ExactLevel, c.exactLevel);
        EXPECT_EQ(w.variables().PlayLanguage, c.language);
        EXPECT_EQ(w.variables().PlayLevel, c.level);
        EXPECT_EQ(w.variables().PlayCategories, c.categories);
        // The gauge shows a limit and disappears without one.
        EXPECT_EQ(w.eHiba->isVisible(), c.maxMistakes > 0);
        EXPECT_EQ(w.eHiba->maximum(), c.maxMistakes > 0 ? c.maxMistakes : 10);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Brumvelda v1.0c"));
        endProgram();
    }
}

TEST_F(StartupReading, PuzzleListIsReadFromTheProgramFolderWhateverTheCurrentDirectory)
{
    folder.writePuzzles(
        {{"ALMA", 1, "", "", 1, 1}, {"KORTE", 1, "gyumolcs", "", 2, 1}, {"APPLE", 2, "", "", 1, 1}});
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path("/");
    startProgram();
    std::filesystem::current_path(previous);
    EXPECT_EQ(main().variables().PuzzleCount, 3);
    EXPECT_FALSE(main().tbUj->isEnabled()); // no player yet
}

TEST_F(StartupReading, ProgramFolderIsTheExecutablesFolderWithASlash)
{
    const std::string folderOfExe = executableFolder();
    ASSERT_FALSE(folderOfExe.empty());
    EXPECT_EQ(folderOfExe.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(folderOfExe + "app_test"));

    // A folder given without the slash gets one.
    StartupOptions options;
    std::string path = folder.path();
    path.pop_back();
    options.programFolder = path;
    createWindows(windows, modals.runner(), options);
    EXPECT_EQ(main().variables().AppDir, folder.path());
}

// The limit is taken before the list is opened, so a list that fails to load leaves the settings' limit.
TEST_F(StartupReading, ADamagedListLeavesTheMistakeLimitOfTheSettings)
{
    for (const char* limit : {"0", "3"}) {
        testing_support::ProgramFolder here;
        here.writeFile("Brumvelda.lis", "TPF0 this is not a table file at all");
        here.writeSettings(std::string("[Main]\nMaxHiba=") + limit + "\n");
        modals.expectMessage();
        StartupOptions options;
        options.programFolder = here.path();
        createWindows(windows, modals.runner(), options);
        EXPECT_EQ(main().round().countsMistakes(), std::string(limit) != "0") << limit;
        EXPECT_EQ(main().round().mistakeLimit(), std::string(limit) == "0" ? 10 : 3) << limit;
        endProgram();
        windows = {};
    }
}

TEST_F(StartupReading, DamagedPuzzleListIsReportedAndKeptAsABackupAtExit)
{
    const std::string damaged = "TPF0 this is not a table file at all";
    folder.writeFile("Brumvelda.lis", damaged);
    folder.writeSettings("[Main]\nMaxHiba=3\n");
    modals.expectMessage();
    startProgram();
    ASSERT_EQ(modals.messages().size(), 1u);
    EXPECT_EQ(modals.titles()[0], QStringLiteral("Brumvelda"));
    EXPECT_TRUE(modals.messages()[0].endsWith('.'));
    // The message says which file it is about, after the stored text.
    EXPECT_TRUE(modals.messages()[0].startsWith(QStringLiteral("Invalid property value: ")))
        << modals.messages()[0].toStdString();
    EXPECT_TRUE(modals.messages()[0].contains(QString::fromStdString(folder.path() + "Brumvelda.lis")));

    TfrmMain& w = main();
    EXPECT_EQ(w.variables().PuzzleCount, 0);
    // The rest of the creation was skipped.
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Brumvelda v1.0"));
    EXPECT_TRUE(w.eHiba->isVisible());
    EXPECT_EQ(w.eHiba->maximum(), 10);

    modals.expectMessage(); // where the damaged original went
    click(w.tbExit);
    ASSERT_EQ(modals.messages().size(), 2u);
    const std::string backup = folder.file("Brumvelda.lis.bak");
    EXPECT_TRUE(modals.messages()[1].contains(QString::fromStdString(backup)));
    EXPECT_EQ(folder.readFile("Brumvelda.lis.bak"), damaged);
    EXPECT_NE(folder.readFile("Brumvelda.lis"), damaged);
}

// The program's own start: main() reads the list ahead and hands it over in StartupOptions.
class StartupWithListReadAhead : public StartupReading
{
protected:
    void startReadingAhead(const std::string& readAheadFolder)
    {
        m_readAhead = std::make_unique<PuzzleListPrefetch>(readAheadFolder);
        StartupOptions options;
        options.programFolder = folder.path();
        options.randomSeed = 1;
        options.puzzleList = m_readAhead.get();
        createWindows(windows, modals.runner(), options);
    }

    std::unique_ptr<PuzzleListPrefetch> m_readAhead;
};

TEST_F(StartupWithListReadAhead, DamagedListIsReportedAndKeptAsABackupAtExit)
{
    const std::string damaged = "TPF0 this is not a table file at all";
    folder.writeFile("Brumvelda.lis", damaged);
    modals.expectMessage();
    startReadingAhead(folder.path());
    ASSERT_EQ(modals.messages().size(), 1u);
    EXPECT_EQ(main().variables().PuzzleCount, 0);
    EXPECT_EQ(main().windowTitle(), QStringLiteral("Brumvelda v1.0")); // the rest of the creation skipped

    modals.expectMessage(); // where the damaged original went
    click(main().tbExit);
    ASSERT_EQ(modals.messages().size(), 2u);
    EXPECT_TRUE(modals.messages()[1].contains(QString::fromStdString(folder.file("Brumvelda.lis.bak"))));
    EXPECT_EQ(folder.readFile("Brumvelda.lis.bak"), damaged);
}

TEST_F(StartupWithListReadAhead, ListOfAnotherFolderIsNotTakenNorWritten)
{
    folder.writePuzzles({{"EGY", 1, "", "", 1, 1}, {"KETTO", 1, "", "", 1, 1}});
    testing_support::ProgramFolder other;
    other.writePuzzles({{"HAROM", 1, "", "", 1, 1}});
    const std::string otherList = other.readFile("Brumvelda.lis");
    startReadingAhead(other.path());
    EXPECT_EQ(main().variables().PuzzleCount, 2);
    exitProgram();
    m_readAhead.reset();
    EXPECT_EQ(other.readFile("Brumvelda.lis"), otherList);
    EXPECT_EQ(folder.readPuzzles().size(), 2u);
}

} // namespace
