// The one-writer lock as the system keeps it: a second holder is turned away until the first lets go, and
// what the holder published stays readable to the copy that is turned away.
#include "platform/file_lock.h"
#include "storage/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace platform;
using storage::testing::fsPath;
using storage::testing::TempFolder;

TEST(PlatformLock, ASecondHandleIsTurnedAwayUntilTheFirstLetsGo)
{
    TempFolder folder;
    const std::string path = folder.file("Brumvelda.lock");
    LockAttempt first = lockExclusively(path);
    ASSERT_EQ(first.outcome, LockAttempt::Outcome::Held);
    ASSERT_TRUE(first.file.replaceContent("hand-over name\n"));
    ASSERT_TRUE(first.file.replaceContent("short\n")); // the longer note before leaves nothing behind

    const LockAttempt second = lockExclusively(path);
    EXPECT_EQ(second.outcome, LockAttempt::Outcome::Taken);
    EXPECT_FALSE(second.file.isOpen());
    EXPECT_EQ(readOwnLockFile(path, 128), std::optional<std::string>("short\n"));
    EXPECT_EQ(readOwnLockFile(path, 3), std::optional<std::string>("sho"));

    first.file.close();
    EXPECT_EQ(lockExclusively(path).outcome, LockAttempt::Outcome::Held);
}

TEST(PlatformLock, WhatCannotBeALockFileIsNeverLocked)
{
    TempFolder folder;
    std::filesystem::create_directory(fsPath(folder.file("Brumvelda.lock")));
    const LockAttempt onFolder = lockExclusively(folder.file("Brumvelda.lock"));
    EXPECT_EQ(onFolder.outcome, LockAttempt::Outcome::Refused);
    EXPECT_FALSE(onFolder.why.empty());
    EXPECT_EQ(readOwnLockFile(folder.file("Brumvelda.lock"), 128), std::nullopt);

    EXPECT_EQ(lockExclusively(folder.file("missing/Brumvelda.lock")).outcome,
              LockAttempt::Outcome::Unavailable);
    EXPECT_EQ(readOwnLockFile(folder.file("missing/Brumvelda.lock"), 128), std::nullopt);
}

TEST(PlatformLock, AFolderIsKnownWhateverSpellingReachesIt)
{
    TempFolder folder;
    std::filesystem::create_directory(fsPath(folder.file("Ödön")));
    const auto identity = identityOf(folder.path());
    ASSERT_TRUE(identity.has_value());
    EXPECT_EQ(identityOf(folder.file("Ödön/..")), identity);
    EXPECT_EQ(identityOf(folder.path() + "/."), identity);
    ASSERT_TRUE(identityOf(folder.file("Ödön")).has_value());
    EXPECT_NE(identityOf(folder.file("Ödön")), identity);
    EXPECT_EQ(identityOf(folder.file("missing")), std::nullopt);
}
