#include "storage/paths.h"

#include <gtest/gtest.h>

using namespace storage;

TEST(Paths, AFolderAndAFileNameJoinWithExactlyOneSlash)
{
    struct Row
    {
        const char* folder;
        const char* name;
        const char* joined;
    } const rows[] = {
        {"/tmp/x", "Brumvelda.lis", "/tmp/x/Brumvelda.lis"},
        {"/tmp/x/", "Brumvelda.lis", "/tmp/x/Brumvelda.lis"}, // the data folders end in "/"
        {"", "Brumvelda.lock", "./Brumvelda.lock"}, // never "/Brumvelda.lock", at the root
        {".", "a", "./a"},
        {"/", "a", "/a"},
        {"game/data", "a", "game/data/a"},
        {"/tmp/x", "", "/tmp/x/"},
#ifdef _WIN32
        {"C:\\Users\\Ödön\\AppData\\Roaming\\Brumvelda\\", "a",
         "C:\\Users\\Ödön\\AppData\\Roaming\\Brumvelda\\a"},
        {"C:\\Program Files\\Brumvelda", "a", "C:\\Program Files\\Brumvelda/a"},
#endif
    };
    for (const Row& row : rows) {
        EXPECT_EQ(pathIn(row.folder, row.name), row.joined) << '"' << row.folder << "\" + " << row.name;
        EXPECT_EQ(withTrailingSlash(row.folder) + row.name, row.joined) << '"' << row.folder << '"';
    }
}

TEST(Paths, AFilesPathSplitsIntoItsFolderAndItsName)
{
    struct Row
    {
        const char* path;
        const char* folderPart; // what a relative link target is read against
        const char* folder;
        const char* name;
    } const rows[] = {
        {"/home/anna/Brumvelda.ini", "/home/anna/", "/home/anna", "Brumvelda.ini"},
        {"Brumvelda.ini", "", ".", "Brumvelda.ini"},
        {"/Brumvelda.ini", "/", "/", "Brumvelda.ini"},
        {"./a.lis", "./", ".", "a.lis"},
        {"a//b.lis", "a//", "a/", "b.lis"},
        {"data/", "data/", "data", ""},
        {"", "", ".", ""},
#ifdef _WIN32
        // The system's own paths come with backslashes; the game adds its names with "/".
        {"C:\\Users\\Ödön\\Brumvelda.lis", "C:\\Users\\Ödön\\", "C:\\Users\\Ödön", "Brumvelda.lis"},
        {"C:\\Brumvelda\\data/Brumvelda.ini", "C:\\Brumvelda\\data/", "C:\\Brumvelda\\data", "Brumvelda.ini"},
#endif
    };
    for (const Row& row : rows) {
        EXPECT_EQ(folderPartOf(row.path), row.folderPart) << row.path;
        EXPECT_EQ(folderOfFile(row.path), row.folder) << row.path;
        EXPECT_EQ(fileNameOf(row.path), row.name) << row.path;
        EXPECT_EQ(std::string(folderPartOf(row.path)) + std::string(fileNameOf(row.path)), row.path)
            << row.path;
    }
}
