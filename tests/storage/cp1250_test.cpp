#include "storage/cp1250.h"
#include "storage/storage_error.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <unicode/ucnv.h>
#endif

using namespace storage;

TEST(Cp1250, EveryByteSurvivesTheRoundTripThroughUtf8AndUtf16)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(cp1250::fromUtf8(cp1250::toUtf8(all)), all);
    EXPECT_EQ(cp1250::fromUtf16(cp1250::toUtf16(all)), all);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(cp1250::byteFor(cp1250::codePointOf(char(b))), char(b)) << b;
}

#ifdef _WIN32
// The compiled-in table against the system's own code page 1250, both ways, byte by byte; bytes the code page
// leaves undefined are C1 controls.
TEST(Cp1250, TheTableIsTheSystemsCodePage1250)
{
    for (int b = 1; b < 256; ++b) {
        const char in = char(b);
        wchar_t out[2] = {};
        const int n = ::MultiByteToWideChar(1250, MB_ERR_INVALID_CHARS, &in, 1, out, 2);
        const bool defined = n == 1 && out[0] != 0xFFFD;
        EXPECT_EQ(cp1250::codePointOf(in), defined ? char32_t(out[0]) : char32_t(b)) << b;
        if (!defined)
            continue;
        char back = 0;
        BOOL lost = FALSE;
        ASSERT_EQ(::WideCharToMultiByte(1250, WC_NO_BEST_FIT_CHARS, out, 1, &back, 1, nullptr, &lost), 1)
            << b;
        EXPECT_FALSE(lost) << b;
        EXPECT_EQ(back, in) << b;
    }
}
#else
// The compiled-in table against ICU's own converter, byte by byte; bytes ICU leaves undefined are C1
// controls.
TEST(Cp1250, TheTableIsIcusWindows1250)
{
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open("windows-1250", &status);
    ASSERT_TRUE(U_SUCCESS(status));
    for (int b = 0; b < 256; ++b) {
        const char in = char(b);
        UChar out[4];
        UErrorCode e = U_ZERO_ERROR;
        ucnv_reset(converter);
        const int32_t n = ucnv_toUChars(converter, out, 4, &in, 1, &e);
        const bool defined = U_SUCCESS(e) && n == 1 && out[0] != 0xFFFD && out[0] != 0x1A;
        EXPECT_EQ(cp1250::codePointOf(in), defined ? char32_t(out[0]) : char32_t(b)) << b;
    }
    ucnv_close(converter);
}
#endif

TEST(Cp1250, HungarianLettersMapToTheirCodePageBytes)
{
    EXPECT_EQ(cp1250::fromUtf8("ŐŰőűÁÉ€"), "\xD5\xDB\xF5\xFB\xC1\xC9\x80");
    EXPECT_EQ(cp1250::toUtf8("\xD5rs\xE9g"), "Őrség");
    EXPECT_EQ(cp1250::codePointOf('\x8A'), U'Š');
    EXPECT_EQ(cp1250::byteFor(U'ő'), '\xF5');
    EXPECT_FALSE(cp1250::byteFor(U'☃').has_value());
    EXPECT_FALSE(cp1250::byteFor(U'õ').has_value()); // Latin-1's õ is not Hungarian ő
}

TEST(Cp1250, ACharacterWithoutAByteIsNamedInTheError)
{
    try {
        cp1250::fromUtf8("Hó☃ember");
        FAIL() << "no error";
    } catch (const StorageError& e) {
        EXPECT_NE(std::string(e.what()).find("☃"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("U+2603"), std::string::npos) << e.what();
    }
    EXPECT_THROW(cp1250::fromUtf16(u"a\u2603"), StorageError);
}

TEST(Cp1250, MalformedUnicodeIsAnErrorNotAQuestionMark)
{
    for (const char* bad : {"\xC3", "\xC3\x28", "\xE0\x80\x80", "\xED\xA0\x80", "\xFF"})
        EXPECT_THROW(cp1250::fromUtf8(bad), StorageError) << bad;
    EXPECT_THROW(cp1250::fromUtf16(std::u16string(1, char16_t(0xD800))), StorageError);
}

TEST(FormatMessage, ReplacesTheFirstPlaceholderOnly)
{
    EXPECT_EQ(formatMessage("Cannot open file %s", "/a/b.lis"), "Cannot open file /a/b.lis");
    EXPECT_EQ(formatMessage("Stream read error", "x"), "Stream read error");
    EXPECT_EQ(formatMessage("%s and %s", "%s"), "%s and %s");
}
