// Where the program is and where the user's files go when they cannot stay beside it.
#include "platform/file.h"
#include "platform/program_folders.h"
#include "storage/temp_folder.h"

#include <gtest/gtest.h>

using namespace platform;
using storage::testing::TempFolder;
using storage::testing::writeBytes;

TEST(PlatformDataFolder, TheProgramsFolderEndsInASeparatorAndIsThere)
{
    const std::string folder = executableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(PathSeparators.find(folder.back()), std::string_view::npos) << folder;
    EXPECT_TRUE(exists(folder)) << folder;
}

TEST(PlatformDataFolder, MakeFoldersMakesEveryMissingParentOrSaysWhyNot)
{
    TempFolder temporary;
    const std::string folder = temporary.file("a/Ödön/c/");
    EXPECT_EQ(makeFolders(folder), "");
    EXPECT_EQ(makeFolders(folder), "") << "a second start finds it there";
    EXPECT_TRUE(keepsFilesSafely(folder));

    writeBytes(temporary.file("file"), "x");
    EXPECT_NE(makeFolders(temporary.file("file/sub/")), "");
    EXPECT_FALSE(keepsFilesSafely(temporary.file("missing/")));
}

#ifdef _WIN32
TEST(PlatformDataFolder, TheUsersFolderIsBrumveldaInTheRoamingApplicationData)
{
    struct Case
    {
        std::string appData;
        std::string folder;
    };
    const Case cases[] = {
        {"C:\\Users\\Ödön\\AppData\\Roaming", "C:\\Users\\Ödön\\AppData\\Roaming\\Brumvelda\\"},
        {"D:\\profiles\\", "D:\\profiles\\Brumvelda\\"},
        {"\\\\server\\profiles\\Ödön", "\\\\server\\profiles\\Ödön\\Brumvelda\\"},
        {"relative\\folder", ""}, // would follow the current folder
        {"C:relative", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(userDataFolder({"/xdg", "/home/odon", c.appData}), c.folder) << c.appData;
    EXPECT_FALSE(currentUserEnvironment().appData.empty());
}
#endif
