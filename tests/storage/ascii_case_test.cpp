#include "storage/ascii_case.h"

#include <gtest/gtest.h>

#include <string>

using storage::sameIgnoringAsciiCase;

TEST(AsciiCase, NamesMatchWhateverTheCaseOfTheirAsciiLettersOnly)
{
    struct Row
    {
        const char* a;
        const char* b;
        bool same;
    } const rows[] = {
        {"MaxHiba", "MAXHIBA", true}, // a settings key
        {"Nev", "nEV", true}, // a column
        {"string", "String", true}, // a field type in a table file
        {".LIS", ".lis", true}, // a file extension
        {"", "", true},
        {"Main", "Mai", false},
        {"Mai", "Main", false},
        {"@", "`", false}, // one bit apart like A and a, but not letters
        {"[\\]^", "{|}~", false},
        {"\xC1rny", "\xE1rny", false}, // Á and á: accented Windows-1250 letters are not folded
        {"\x8A", "\x9A", false}, // Š and š
        {"N\xC9V", "n\xE9v", false}, // É and é
        {"N\xE9v", "n\xE9v", true}, // the accented letter itself matches, the ASCII ones fold
    };
    for (const Row& row : rows)
        EXPECT_EQ(sameIgnoringAsciiCase(row.a, row.b), row.same) << row.a << " / " << row.b;
}

TEST(AsciiCase, EveryPairOfBytesMatchesOnlyWhenEqualOrTheSameAsciiLetter)
{
    const auto letter = [](int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 256; ++y) {
            const bool expected
                = x == y || (letter(x) && letter(y) && (x - y == 'a' - 'A' || y - x == 'a' - 'A'));
            EXPECT_EQ(sameIgnoringAsciiCase(std::string(1, char(x)), std::string(1, char(y))), expected)
                << x << ' ' << y;
        }
}
