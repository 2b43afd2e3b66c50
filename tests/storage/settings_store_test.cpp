#include "storage/settings_store.h"

#include "storage/storage_error.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#ifdef _WIN32
#include <random>
#else
#include <sys/mount.h>
#endif

namespace fs = std::filesystem;
using storage::parseSettingInt;
using storage::SettingsStore;

namespace {

class SettingsFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
#ifdef _WIN32
        m_dir = fs::temp_directory_path() / ("settings-" + std::to_string(std::random_device()()));
        ASSERT_TRUE(fs::create_directory(m_dir));
#else
        std::string pattern = (fs::temp_directory_path() / "settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
#endif
        m_store.setPath((m_dir / "Brumvelda.ini").string());
    }
    void TearDown() override
    {
#ifndef _WIN32
        if (!m_mountPoint.empty())
            ::umount(m_mountPoint.c_str());
#endif
        fs::remove_all(m_dir);
    }

    void writeFile(const std::string& content) { std::ofstream(m_store.path(), std::ios::binary) << content; }
    std::string fileContent() const
    {
        std::ifstream in(m_store.path(), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    fs::path m_dir;
    fs::path m_mountPoint;
    SettingsStore m_store;
};

struct IntCase
{
    const char* text;
    bool converts;
    int32_t value;
};

} // namespace

TEST(ParseSettingInt, FollowsTheConversionRules)
{
    const IntCase cases[] = {
        {"10", true, 10},
        {"-3", true, -3},
        {"+7", true, 7},
        {"   42", true, 42},
        {"0xFF", true, 255},
        {"0XfF", true, 255},
        {"$FF", true, 255},
        {"xff", true, 255},
        {"-$10", true, -16},
        {"007", true, 7},
        {"2147483647", true, INT32_MAX},
        {"-2147483648", true, INT32_MIN},
        {"-$80000000", true, INT32_MIN},
        {"", false, 0},
        {"abc", false, 0},
        {"12a", false, 0},
        {"12 ", false, 0},
        {"- 5", false, 0},
        {"$", false, 0},
        {"-", false, 0},
        {"0x", false, 0},
        {" 0x10", false, 0},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"0x80000000", false, 0},
        {"99999999999999999999", false, 0},
        {"1.5", false, 0},
    };
    for (const IntCase& c : cases) {
        int32_t value = 12345;
        EXPECT_EQ(parseSettingInt(c.text, value), c.converts) << '"' << c.text << '"';
        if (c.converts) {
            EXPECT_EQ(value, c.value) << '"' << c.text << '"';
        }
    }
}

TEST_F(SettingsFile, MissingFileGivesTheDefaults)
{
    EXPECT_EQ(m_store.ReadSettingInt("Main", "MaxHiba", 10), 10);
    EXPECT_EQ(m_store.ReadSettingInt("Last", "Categories", 65535), 65535);
    EXPECT_EQ(m_store.ReadSettingStr("Last", "User", ""), "");
    EXPECT_FALSE(fs::exists(m_store.path()));
}

TEST_F(SettingsFile, ValuesThatDoNotConvertGiveTheDefault)
{
    writeFile("[Main]\nMaxHiba=abc\nExactLevel=12a\n[Last]\nCategories = 0xFF \nLevel=$FF\nLanguage=-3\n");
    EXPECT_EQ(m_store.ReadSettingInt("Main", "MaxHiba", 10), 10);
    EXPECT_EQ(m_store.ReadSettingInt("Main", "ExactLevel", 0), 0);
    EXPECT_EQ(m_store.ReadSettingInt("Last", "Categories", 65535), 255);
    EXPECT_EQ(m_store.ReadSettingInt("Last", "Level", 1), 255);
    EXPECT_EQ(m_store.ReadSettingInt("Last", "Language", 1), -3);
    EXPECT_EQ(m_store.ReadSettingInt("Last", "Missing", 7), 7);
    EXPECT_EQ(m_store.ReadSettingInt("Nowhere", "Level", 4), 4);
}

TEST_F(SettingsFile, NamesMatchWithoutCaseAndValuesAreTrimmed)
{
    writeFile("; comment\n# another\n  [ last ]  \r\n  user =   Kov\xE1"
              "cs \xC9va  \r\nLEVEL=3\r\n"
              "[Quoted]\nName=\"  Anna  \"\n");
    EXPECT_EQ(m_store.ReadSettingStr("Last", "User", "x"),
              "Kov\xE1"
              "cs \xC9va");
    EXPECT_EQ(m_store.ReadSettingInt("LAST", "level", 1), 3);
    EXPECT_EQ(m_store.ReadSettingStr("quoted", "name", ""), "  Anna  ");
}

TEST_F(SettingsFile, FirstRunWritesTheLastSectionInOrder)
{
    m_store.WriteSettingInt("Last", "Language", 1);
    m_store.WriteSettingInt("Last", "Level", 1);
    m_store.WriteSettingInt("Last", "Categories", 65535);
    m_store.WriteSettingStr("Last", "User", "");
    EXPECT_EQ(fileContent(), "[Last]\nLanguage=1\nLevel=1\nCategories=65535\nUser=\n");
    EXPECT_EQ(m_store.ReadSettingStr("Last", "User", "none"), "");
    EXPECT_EQ(m_store.ReadSettingInt("Last", "Categories", 0), 65535);
}

TEST_F(SettingsFile, WriteReplacesOneValueAndKeepsEverythingElse)
{
    writeFile("; Brumvelda\n[Main]\nMaxHiba=10\n# kept\nExactLevel=1\n\n[Last]\nLevel=2\nUser=Anna\n");
    m_store.WriteSettingInt("main", "maxhiba", -3);
    EXPECT_EQ(fileContent(),
              "; Brumvelda\n[Main]\nmaxhiba=-3\n# kept\nExactLevel=1\n\n[Last]\nLevel=2\nUser=Anna\n");
    EXPECT_EQ(m_store.ReadSettingInt("Main", "MaxHiba", 10), -3);
}

TEST_F(SettingsFile, NewKeyJoinsItsSectionAfterTheLastKey)
{
    writeFile("[Main]\r\nMaxHiba=5\r\n\r\n[Last]\r\nUser=Anna\r\n");
    m_store.WriteSettingInt("Main", "ExactLevel", 1);
    m_store.WriteSettingInt("Extra", "X", 2);
    EXPECT_EQ(fileContent(),
              "[Main]\r\nMaxHiba=5\r\nExactLevel=1\r\n\r\n[Last]\r\nUser=Anna\r\n\r\n[Extra]\r\nX=2\r\n");
}

TEST_F(SettingsFile, SectionIsReplacedWholeInOneWriteWhereItStood)
{
    struct Case
    {
        const char* why;
        const char* file;
        SettingsStore::SectionKeys keys;
        const char* expected;
    };
    const Case cases[] = {
        {"in the middle, its comment and blank line go with it",
         "[Main]\nMaxHiba=5\n[P]\n; old\nA=1\n\n[Last]\nUser=Anna\n",
         {{"B", "2"}, {"C", " x"}},
         "[Main]\nMaxHiba=5\n[P]\nB=2\nC=\" x\"\n[Last]\nUser=Anna\n"},
        {"two of the name become one, where the first was",
         "[p]\nA=1\n[Q]\nZ=0\n[P]\nA=2\n",
         {{"A", "3"}},
         "[P]\nA=3\n[Q]\nZ=0\n"},
        {"a new one goes last",
         "[Main]\r\nMaxHiba=5\r\n",
         {{"A", "1"}},
         "[Main]\r\nMaxHiba=5\r\n\r\n[P]\r\nA=1\r\n"},
        {"no keys remove it", "[P]\nA=1\n[Last]\nUser=Anna\n", {}, "[Last]\nUser=Anna\n"},
        {"a value cannot plant a line", "", {{"A", "1\n[Main]\nMaxHiba=0"}}, "[P]\nA=1\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        writeFile(c.file);
        m_store.ReplaceSection("P", c.keys);
        EXPECT_EQ(fileContent(), c.expected);
    }
    // The reader sees what was written; the other sections' keys are untouched.
    EXPECT_EQ(m_store.ReadSettingInt("Main", "MaxHiba", 10), 10);
}

TEST_F(SettingsFile, SectionReadsAsSingleKeysDo)
{
    writeFile("[P]\n A = 1 \nB=\"two \"\n[Q]\nA=9\n[p]\na=3\nC=4\n");
    const SettingsStore::SectionKeys expected = {{"A", "1"}, {"B", "two "}, {"C", "4"}};
    EXPECT_EQ(m_store.ReadSection("P"), expected) << "the first of a key wins, in any section of the name";
    EXPECT_TRUE(m_store.ReadSection("R").empty());
    fs::remove(m_store.path());
    EXPECT_TRUE(m_store.ReadSection("P").empty());
    // Removing what is not there writes nothing, not even an empty file.
    m_store.ReplaceSection("P", {});
    EXPECT_FALSE(fs::exists(m_store.path()));
}

TEST_F(SettingsFile, EveryReadSeesTheFileAsItIsNow)
{
    m_store.WriteSettingStr("Last", "User", "Anna");
    EXPECT_EQ(m_store.ReadSettingStr("Last", "User", ""), "Anna");
    writeFile("[Last]\nUser=Bela\n");
    EXPECT_EQ(m_store.ReadSettingStr("Last", "User", ""), "Bela");
}

TEST_F(SettingsFile, StringsReadBackExactlyAsWritten)
{
    // Blanks at the edges and quotes around a value would be lost to trimming and unquoting.
    for (const std::string value : {"Anna ", " \xC9va", "\"Bob\"", "'x'", "a\"b", "\"",
                                    "Kov\xE1"
                                    "cs \xC9va"}) {
        m_store.WriteSettingStr("Last", "User", value);
        EXPECT_EQ(m_store.ReadSettingStr("Last", "User", ""), value) << fileContent();
    }
    EXPECT_EQ(fileContent(),
              "[Last]\nUser=Kov\xE1"
              "cs \xC9va\n");
}

TEST_F(SettingsFile, LongValuesAreCutWhenRead)
{
    std::string value(3000, 'a');
    value[2046] = 'b';
    m_store.WriteSettingStr("Last", "User", value);
    std::string read = m_store.ReadSettingStr("Last", "User", "");
    ASSERT_EQ(read.size(), 2047u);
    EXPECT_EQ(read.back(), 'b');
}

TEST_F(SettingsFile, LineBreakInAValueCannotPlantSettings)
{
    m_store.WriteSettingStr("Last", "User", "Anna\n[Main]\nMaxHiba=0");
    EXPECT_EQ(m_store.ReadSettingStr("Last", "User", ""), "Anna");
    EXPECT_EQ(m_store.ReadSettingInt("Main", "MaxHiba", 10), 10);
}

TEST_F(SettingsFile, WriteIntoAMissingFolderFailsNamingTheFile)
{
    std::string path = (m_dir / "missing" / "Brumvelda.ini").string();
    m_store.setPath(path);
    try {
        m_store.WriteSettingInt("Main", "MaxHiba", 3);
        FAIL() << "no error";
    } catch (const storage::StorageError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
}

TEST_F(SettingsFile, PathThatCannotBeReadIsNotOverwritten)
{
    fs::create_directory(m_store.path());
    EXPECT_EQ(m_store.ReadSettingInt("Main", "MaxHiba", 10), 10);
    EXPECT_THROW(m_store.WriteSettingInt("Main", "MaxHiba", 3), storage::StorageError);
    EXPECT_TRUE(fs::is_directory(m_store.path()));
}

TEST_F(SettingsFile, LinksAreWrittenThroughAndDevicesAreNeitherReadNorReplaced)
{
#ifdef _WIN32
    GTEST_SKIP()
        << "Linux only: a link needs a privilege on Windows, and a save there replaces the link itself";
#endif
    const std::string target = m_store.path() + ".real";
    {
        std::ofstream(target) << "[Main]\nMaxHiba=4\n";
    }
    fs::create_symlink(target, m_store.path());
    m_store.WriteSettingInt("Last", "Level", 2);
    EXPECT_TRUE(fs::is_symlink(m_store.path()));
    EXPECT_EQ(m_store.ReadSettingInt("Main", "MaxHiba", 10), 4);
    EXPECT_EQ(m_store.ReadSettingInt("Last", "Level", 1), 2);

    // A link to /dev/zero would be read until memory runs out.
    fs::remove(m_store.path());
    fs::create_symlink("/dev/zero", m_store.path());
    EXPECT_EQ(m_store.ReadSettingInt("Main", "MaxHiba", 10), 10);
    EXPECT_THROW(m_store.WriteSettingInt("Main", "MaxHiba", 3), storage::StorageError);
    EXPECT_EQ(fs::read_symlink(m_store.path()), "/dev/zero");
}

TEST_F(SettingsFile, WriteOnAFullDiskFailsAndKeepsTheOldFile)
{
#ifdef _WIN32
    GTEST_SKIP() << "Linux only: the full disk is a tiny tmpfs mount";
#else
    fs::path mountPoint = m_dir / "small";
    fs::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=4k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    m_mountPoint = mountPoint;
    m_store.setPath((mountPoint / "Brumvelda.ini").string());
    m_store.WriteSettingStr("Last", "User", "Anna");
    std::string before = fileContent();
    EXPECT_THROW(m_store.WriteSettingStr("Last", "User", std::string(8000, 'x')), storage::StorageError);
    EXPECT_EQ(fileContent(), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(mountPoint), fs::directory_iterator()), 1)
        << "the temporary file was left behind";
#endif
}
