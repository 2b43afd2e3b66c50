#include "storage/collation.h"
#include "storage/cp1250.h"

#include <unicode/locid.h>

#include <gtest/gtest.h>

#include <algorithm>

using namespace storage;

namespace {
class Collation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(icu::Locale("hu_HU"), status);
        collation::resetForDefaultLocale();
    }
    static std::string cp(const char* utf8) { return cp1250::fromUtf8(utf8); }
};
} // namespace

TEST(CollationEnvironment, IcuTakesHungarianFromTheEnvironment)
{
    // The test runner sets LANG=hu_HU.UTF-8; ICU must see it although the C library locale is not set.
    if (const char* lang = std::getenv("LANG"); !lang || std::string(lang).rfind("hu_HU", 0) != 0)
        GTEST_SKIP() << "LANG is not Hungarian here";
    EXPECT_STREQ(icu::Locale::getDefault().getLanguage(), "hu");
}

TEST_F(Collation, HungarianNamesSortAsAHungarianExpects)
{
    std::vector<std::string> names
        = {cp("Zsófi"), cp("Anna"), cp("Csaba"), cp("Cecília"), cp("Ádám"), cp("Zoltán")};
    std::sort(names.begin(), names.end(), [](auto& a, auto& b) { return collation::compare(a, b) < 0; });
    const std::vector<std::string> expected
        = {cp("Ádám"), cp("Anna"), cp("Cecília"), cp("Csaba"), cp("Zoltán"), cp("Zsófi")};
    EXPECT_EQ(names, expected);
}

TEST_F(Collation, SortKeysOrderLikeCompare)
{
    const std::vector<std::string> words = {cp("Ádám"),  cp("adam"),  cp("Adam"), cp("Anna"),   cp("anna"),
                                            cp("Csaba"), cp("Cukor"), cp("Ödön"), cp("Oszkár"), ""};
    for (const auto& a : words)
        for (const auto& b : words) {
            const int byCompare = collation::compare(a, b);
            const int byKey = collation::sortKey(a).compare(collation::sortKey(b));
            EXPECT_EQ(byCompare < 0, byKey < 0) << a << " / " << b;
            EXPECT_EQ(byCompare == 0, byKey == 0) << a << " / " << b;
        }
}

TEST_F(Collation, LetterCaseMakesADifference)
{
    EXPECT_NE(collation::compare("Anna", "anna"), 0);
    EXPECT_EQ(collation::compare("Anna", "Anna"), 0);
}
