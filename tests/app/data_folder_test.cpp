// Where the game keeps its files, and the first-start copy of the installed puzzle list.
#include "app/data_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr uid_t Nobody = 65534;

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

class DataFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/brumvelda-data-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root = pattern;
        // Open to the unprivileged user that plays the player when the test runs as root.
        fs::permissions(root, fs::perms::all);
    }
    void TearDown() override { fs::remove_all(root); }

    // The choice as an ordinary user makes it: root may write everywhere, so a root test asks in a child
    // process that has become nobody.
    DataFolder chooseAsPlayer(const std::string& program, bool userDataOnly,
                              const UserEnvironment& environment)
    {
        if (::geteuid() != 0)
            return chooseDataFolder(program, userDataOnly, environment);
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0)
            return {};
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeEnds[0]);
            if (::setresgid(Nobody, Nobody, Nobody) != 0 || ::setresuid(Nobody, Nobody, Nobody) != 0)
                ::_exit(2);
            const DataFolder chosen = chooseDataFolder(program, userDataOnly, environment);
            const std::string answer = chosen.path + '\n' + chosen.problem;
            const bool written = ::write(pipeEnds[1], answer.data(), answer.size()) == ssize_t(answer.size());
            ::_exit(written ? 0 : 3);
        }
        ::close(pipeEnds[1]);
        std::string answer;
        char buffer[512];
        for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
            answer.append(buffer, size_t(got));
        ::close(pipeEnds[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
        const size_t split = answer.find('\n');
        return {answer.substr(0, split), split == std::string::npos ? "" : answer.substr(split + 1)};
    }

    fs::path root;
};

struct ChoiceRow
{
    const char* situation;
    fs::perms program; // the program folder's mode; it belongs to the player
    bool userDataOnly;
    const char* xdgDataHome; // relative to the test's folder unless it is "" or starts with '!' (taken as is)
    const char* expected; // "program", or the data folder relative to the test's folder
};

constexpr fs::perms Private = fs::perms(0755);
constexpr fs::perms ReadOnly = fs::perms(0555);

} // namespace

TEST_F(DataFolderTest, ChoosesTheProgramFolderOnlyWhenWritableAndAllowed)
{
    const ChoiceRow rows[] = {
        {"a writable program folder keeps the files beside the game", Private, false, "xdg", "program"},
        {"the system-wide build never writes beside the program", Private, true, "xdg", "xdg/brumvelda/"},
        {"a read-only program folder: XDG_DATA_HOME", ReadOnly, false, "xdg", "xdg/brumvelda/"},
        {"a read-only program folder, no XDG_DATA_HOME: ~/.local/share", ReadOnly, false, "",
         "home/.local/share/brumvelda/"},
        {"a relative XDG_DATA_HOME is ignored", ReadOnly, false, "!relative/data",
         "home/.local/share/brumvelda/"},
        {"a trailing slash in XDG_DATA_HOME", ReadOnly, false, "nested/xdg/", "nested/xdg/brumvelda/"},
        // Others who may write the folder could plant links under the files' names there.
        {"a program folder the group may write", fs::perms(0775), false, "xdg", "xdg/brumvelda/"},
        {"a shared sticky folder everybody may write", fs::perms(01777), false, "xdg", "xdg/brumvelda/"},
    };
    for (const ChoiceRow& row : rows) {
        SCOPED_TRACE(row.situation);
        fs::remove_all(root / "home");
        fs::remove_all(root / "xdg");
        fs::remove_all(root / "nested");
        const fs::path program = root / "program";
        fs::create_directories(program);
        if (::geteuid() == 0) { // the choice is made as that user
            ASSERT_EQ(::chown(program.c_str(), Nobody, Nobody), 0);
        }
        fs::permissions(program, row.program);
        fs::create_directories(root / "home");
        fs::permissions(root / "home", fs::perms::all);

        UserEnvironment environment;
        environment.home = (root / "home").string();
        const std::string xdg = row.xdgDataHome;
        environment.xdgDataHome = xdg.empty() ? "" : xdg[0] == '!' ? xdg.substr(1) : (root / xdg).string();

        const DataFolder chosen = chooseAsPlayer(program.string() + "/", row.userDataOnly, environment);
        EXPECT_EQ(chosen.problem, "");
        const std::string expected = std::string(row.expected) == "program" ? program.string() + "/"
                                                                            : (root / row.expected).string();
        EXPECT_EQ(chosen.path, expected);
        EXPECT_TRUE(fs::is_directory(chosen.path));
        fs::permissions(program, fs::perms::all);
    }
}

TEST_F(DataFolderTest, ReportsADataFolderThatCannotBeMade)
{
    writeFile(root / "home/.local", "a file where the folder should be");
    const DataFolder chosen
        = chooseDataFolder((root / "program/").string(), true, {"", (root / "home").string()});
    EXPECT_EQ(chosen.path, (root / "home/.local/share/brumvelda/").string());
    EXPECT_EQ(chosen.problem,
              "Nem hozható létre a játék adatmappája: " + chosen.path
                  + " (az útvonal egyik tagja fájl, nem mappa)");
}

TEST_F(DataFolderTest, FindsThePackOfEachInstallLayout)
{
    writeFile(root / "usr/share/games/brumvelda/Brumvelda.lis", "package");
    writeFile(root / "prefix/share/games/brumvelda/Brumvelda.lis", "prefix");
    writeFile(root / "copied/Brumvelda.lis", "beside");
    fs::create_directories(root / "usr/games");
    fs::create_directories(root / "prefix/lib/brumvelda");
    fs::create_directories(root / "bare");

    EXPECT_EQ(readAll(installedPuzzlePack((root / "usr/games/").string())), "package");
    EXPECT_EQ(readAll(installedPuzzlePack((root / "prefix/lib/brumvelda/").string())), "prefix");
    EXPECT_EQ(readAll(installedPuzzlePack((root / "copied/").string())), "beside");
    EXPECT_EQ(installedPuzzlePack((root / "bare/").string()), "");
}

TEST_F(DataFolderTest, CopiesThePackOnlyWhereNoListIsYet)
{
    const fs::path pack = root / "pack.lis";
    writeFile(pack, std::string("shipped\0list", 12));
    const fs::path list = root / "data/Brumvelda.lis";
    fs::create_directories(list.parent_path());

    EXPECT_EQ(copyPackIfMissing(pack.string(), list.string()), PackCopy::Copied);
    EXPECT_EQ(readAll(list), readAll(pack));

    writeFile(list, "the player's own list");
    EXPECT_EQ(copyPackIfMissing(pack.string(), list.string()), PackCopy::ListExists);
    EXPECT_EQ(readAll(list), "the player's own list");

    fs::remove(list);
    fs::create_symlink(root / "elsewhere.lis", list); // dangling: the player's link is not replaced either
    EXPECT_EQ(copyPackIfMissing(pack.string(), list.string()), PackCopy::ListExists);
    EXPECT_TRUE(fs::is_symlink(list));
    EXPECT_FALSE(fs::exists(root / "elsewhere.lis"));

    fs::remove(list);
    EXPECT_EQ(copyPackIfMissing("", list.string()), PackCopy::NoPack);
    EXPECT_FALSE(fs::exists(list));

    // A pack that cannot be read fails with a message, and leaves neither the list nor a temporary behind.
    EXPECT_THROW(copyPackIfMissing(root.string(), list.string()), std::runtime_error);
    EXPECT_THROW(copyPackIfMissing((root / "missing.lis").string(), list.string()), std::runtime_error);
    EXPECT_TRUE(fs::is_empty(list.parent_path()));
}

TEST_F(DataFolderTest, FirstStartInTheUserFolderGetsThePackAndLaterStartsKeepTheList)
{
    writeFile(root / "usr/share/games/brumvelda/Brumvelda.lis", "shipped");
    const std::string program = (root / "usr/games/").string();
    fs::create_directories(program);
    const UserEnvironment environment {(root / "xdg").string(), (root / "home").string()};

    const DataFolder first = prepareDataFolder(program, true, environment);
    EXPECT_EQ(first.problem, "");
    EXPECT_EQ(readAll(first.path + "Brumvelda.lis"), "shipped");

    writeFile(first.path + "Brumvelda.lis", "played");
    prepareDataFolder(program, true, environment);
    EXPECT_EQ(readAll(first.path + "Brumvelda.lis"), "played");

    // Beside a writable program nothing is copied and the user's folder is not even made.
    fs::remove_all(root / "xdg");
    EXPECT_EQ(prepareDataFolder(program, false, environment).path, program);
    EXPECT_FALSE(fs::exists(root / "xdg"));
}
