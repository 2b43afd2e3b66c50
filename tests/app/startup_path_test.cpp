// The start-up path the program takes: the puzzle list read ahead while Qt starts and taken over where the
// main window opens it, a good list and a damaged one alike; a read-ahead of another file is dropped.
#include "support/window_fixture.h"

#include "app/startup.h"

#include <array>
#include <filesystem>
#include <sys/inotify.h>
#include <unistd.h>

using testing_support::ProgramFolder;
using testing_support::WindowTest;

namespace {

// Counts the openings of the file `name` in `folder` from the moment it is made (the kernel reports them,
// so a second reading of the list cannot go unseen).
class OpenCounter
{
public:
    OpenCounter(const std::string& folder, std::string name)
        : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
        , m_name(std::move(name))
    {
        // Closings are watched too: two openings in a row with nothing between would be reported as one.
        EXPECT_GE(inotify_add_watch(m_fd, folder.c_str(), IN_OPEN | IN_CLOSE), 0);
    }
    ~OpenCounter() { ::close(m_fd); }

    int opened()
    {
        alignas(inotify_event) std::array<char, 4096> buffer;
        for (ssize_t got; (got = ::read(m_fd, buffer.data(), buffer.size())) > 0;) {
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
                if ((event->mask & IN_OPEN) && event->len > 0 && m_name == event->name)
                    ++m_opened;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        return m_opened;
    }

private:
    int m_fd;
    std::string m_name;
    int m_opened = 0;
};

// How often one load of the list opens its file.
int opensOfOneLoad(const ProgramFolder& folder)
{
    OpenCounter counter(folder.path(), "Brumvelda.lis");
    storage::Table list(storage::puzzleColumns());
    list.setFilePath(folder.file("Brumvelda.lis"));
    try {
        list.open();
    } catch (const std::exception&) {
    }
    list.closeWithoutSaving();
    return counter.opened();
}

class StartupPath : public WindowTest
{
};

TEST_F(StartupPath, TheListReadAheadIsTakenOverWhereItIsOpenedAndNotReadAgain)
{
    const std::string damaged = "TPF0 this is not a table file at all";
    struct Row
    {
        const char* says;
        bool damaged;
    };
    for (const Row& row : {Row {"a good list", false}, Row {"a damaged list", true}}) {
        SCOPED_TRACE(row.says);
        ProgramFolder here;
        if (row.damaged)
            here.writeFile("Brumvelda.lis", damaged);
        else
            here.writePuzzles(
                {{"ALMA", 1, "", "", 1, 1}, {"K\xD6RTE", 1, "", "", 1, 1}, {"SZILVA", 1, "", "", 1, 1}});
        const int oneLoad = opensOfOneLoad(here);
        ASSERT_GE(oneLoad, 1);

        OpenCounter counter(here.path(), "Brumvelda.lis");
        PuzzleListPrefetch prefetch(here.path()); // as main() makes it, before the windows
        if (row.damaged)
            modals.expectMessage(); // the load error, shown where the main window opens the list
        StartupOptions options;
        options.programFolder = here.path();
        options.randomSeed = 1;
        options.puzzleList = &prefetch;
        createWindows(windows, modals.runner(), options);
        EXPECT_EQ(counter.opened(), oneLoad) << "the list was read again";
        EXPECT_EQ(main().variables().PuzzleCount, row.damaged ? 0 : 3);
        if (row.damaged) {
            ASSERT_EQ(modals.messages().size(), 1u);
            EXPECT_TRUE(modals.messages()[0].contains(QString::fromStdString(here.file("Brumvelda.lis"))));
            EXPECT_EQ(main().windowTitle(), QStringLiteral("Brumvelda v1.0")); // the creation stopped there
            modals.expectMessage(); // at the exit: where the damaged original was kept
        }

        click(main().tbExit);
        const QString lastMessage = modals.messages().empty() ? QString() : modals.messages().back();
        endProgram();
        if (row.damaged) {
            EXPECT_TRUE(lastMessage.contains(QString::fromStdString(here.file("Brumvelda.lis.bak"))));
            EXPECT_EQ(here.readFile("Brumvelda.lis.bak"), damaged);
        } else {
            EXPECT_FALSE(std::filesystem::exists(here.file("Brumvelda.lis.bak")));
            EXPECT_EQ(here.readPuzzles().size(), 3u);
        }
    }
}

TEST_F(StartupPath, AReadAheadOfAnotherFileIsDroppedAndWritesNothing)
{
    const std::string damaged = "TPF0 not a table";
    ProgramFolder elsewhere;
    elsewhere.writeFile("Brumvelda.lis", damaged);
    folder.writePuzzles({{"ALMA", 1, "", "", 1, 1}, {"K\xD6RTE", 1, "", "", 1, 1}});
    {
        PuzzleListPrefetch prefetch(elsewhere.path());
        StartupOptions options;
        options.programFolder = folder.path();
        options.randomSeed = 1;
        options.puzzleList = &prefetch;
        createWindows(windows, modals.runner(), options);
        EXPECT_EQ(main().variables().PuzzleCount, 2);
        EXPECT_EQ(modals.messages().size(), 0u);
        endProgram();
    }
    EXPECT_EQ(elsewhere.readFile("Brumvelda.lis"), damaged);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(elsewhere.path()))
        ++entries;
    EXPECT_EQ(entries, 1) << "no backup and no temporary beside a list nobody took";
}

} // namespace
