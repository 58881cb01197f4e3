#include "platform/rtl/Text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace rtl;

TEST(Utf8, LengthCountsCharactersNotBytes) {
    EXPECT_EQ(Utf8Length(""), 0u);
    EXPECT_EQ(Utf8Length("abc"), 3u);
    EXPECT_EQ(Utf8Length("è€"), 2u);
    EXPECT_EQ(Utf8Length("\xF0\x9F\x9A\x97"), 1u); // one character outside the BMP
}

TEST(Utf8, MalformedBytesCountAsOneCharacterEach) {
    const struct {
        std::string text;
        std::size_t length;
    } cases[] = {
        {"\xFF", 1},
        {"a\x80"
         "b",
         3},                 // stray continuation byte
        {"\xC0\xAF", 2},     // overlong form of "/"
        {"\xED\xA0\x80", 3}, // surrogate
        {"\xE2\x82", 2},     // sequence cut short
        {"\xE2\x82"
         "a",
         3},
        {"\xF4\x90\x80\x80", 4}, // beyond U+10FFFF
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8Length(c.text), c.length) << c.text;
    std::size_t pos = 0;
    EXPECT_EQ(Utf8Next("\xFF", pos), U'\uFFFD');
    EXPECT_EQ(pos, 1u);
}

TEST(Utf8, CutsCountCharacters) {
    const std::string s = "è€ab";
    EXPECT_EQ(Utf8Left(s, 0), "");
    EXPECT_EQ(Utf8Left(s, 2), "è€");
    EXPECT_EQ(Utf8Left(s, 20), s);
    EXPECT_EQ(Utf8Right(s, 3), "€ab");
    EXPECT_EQ(Utf8Right(s, 0), "");
    EXPECT_EQ(Utf8Right(s, 9), s);
    EXPECT_EQ(Utf8Mid("ABCDEF", 0, 2), "AB");
    EXPECT_EQ(Utf8Mid("ABCDEF", 4, 10), "EF");
    EXPECT_EQ(Utf8Mid("ABCDEF", 6, 1), "");
    EXPECT_EQ(Utf8Mid(s, 1, 2), "€a");
    // A cut keeps malformed bytes as they were, one character each.
    EXPECT_EQ(Utf8Left("a\xFF"
                       "b",
                       2),
              "a\xFF");
    EXPECT_EQ(Utf8Right("a\xE2\x82", 1), "\x82");
}

TEST(Utf8, PadRightCountsCharacters) {
    EXPECT_EQ(PadRight("è", 3), "è  ");
    EXPECT_EQ(PadRight("Fiat", 2), "Fiat");
    EXPECT_EQ(PadRight("", 2), "  ");
}

TEST(Text, TrimRemovesCodesUpTo32AtBothEndsOnly) {
    EXPECT_EQ(Trim("\t\x01 è  x \r\n"), "è  x");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim("\xC2\xA0x\xC2\xA0"), "\xC2\xA0x\xC2\xA0"); // no-break space is kept
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
}

TEST(Text, CaseChangesOnlyAsciiLetters) {
    EXPECT_EQ(UpperAscii("àbcz-ÿ1"), "àBCZ-ÿ1");
    EXPECT_EQ(LowerAscii("ÀBCZ-È1"), "Àbcz-È1");
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = Cp1252ToUtf8(byte);
        EXPECT_EQ(Utf8Length(utf8), 1u) << b;
        EXPECT_EQ(Utf8ToCp1252(utf8), byte) << b;
    }
}

TEST(Cp1252, MapsCharactersOfTheCodePage) {
    const struct {
        std::string byte, utf8;
    } cases[] = {
        {"\x80", "\xE2\x82\xAC"}, // €
        {"\x81", "\xC2\x81"},     // undefined byte as U+0081
        {"\x8D", "\xC2\x8D"},     {"\x8F", "\xC2\x8F"}, {"\x90", "\xC2\x90"},
        {"\x9D", "\xC2\x9D"},     {"\x8A", "\xC5\xA0"}, // Š
        {"\x99", "\xE2\x84\xA2"},                       // ™
        {"\x9F", "\xC5\xB8"},                           // Ÿ
        {"\xA0", "\xC2\xA0"},     {"\xE8", "\xC3\xA8"}, // è
        {"\xFF", "\xC3\xBF"},                           // ÿ
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1252ToUtf8(c.byte), c.utf8);
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.byte);
    }
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("Ω"), "?");
    EXPECT_EQ(Utf8ToCp1252("a日本b"), "a??b");
    EXPECT_EQ(Utf8ToCp1252("\xC2\x80"), "?"); // U+0080: byte 0x80 is the euro sign
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x9A\x97"), "?");
    EXPECT_EQ(Utf8ToCp1252("x\xFF\xE2\x82"), "x???"); // malformed input
}

// Text that the code page holds is exactly what comes back from a file as
// it went in; controls (C0, DEL, C1 and the stand-ins of the undefined bytes)
// are not text.
TEST(Cp1252, TextCharactersAreThoseThatSurviveTheFileAsText) {
    const struct {
        char32_t c;
        bool text;
    } cases[] = {
        {U'a', true},    {U' ', true},    {U'~', true},    {U'é', true},    {U'ä', true},     {U'ÿ', true},
        {0x00A0, true},  {U'€', true},    {U'Ÿ', true},    {U'™', true},    {U'Š', true},     {U'ž', true},
        {U'ł', false},   {U'ź', false},   {U'Ω', false},   {U'中', false},  {0x1F697, false}, {0x0085, false},
        {0x009F, false}, {0x0080, false}, {0x0081, false}, {0x009D, false}, {0x0000, false},  {U'\t', false},
        {U'\n', false},  {0x001F, false}, {0x007F, false}, {0xFFFD, false}, {0x2028, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsCp1252Text(c.c), c.text) << std::hex << std::uint32_t(c.c);

    // Over the whole range: a text character makes one byte that reads back
    // as the same character, and every byte but the 32 + 1 + 5 controls
    // reads back as a text character.
    int bytes = 0;
    for (char32_t c = 0; c < 0x30000; ++c) {
        if (!IsCp1252Text(c)) continue;
        std::string utf8;
        Utf8Append(utf8, c);
        const std::string byte = Utf8ToCp1252(utf8);
        ASSERT_EQ(byte.size(), 1u) << std::hex << std::uint32_t(c);
        EXPECT_TRUE(byte != "?" || c == U'?') << std::hex << std::uint32_t(c);
        EXPECT_EQ(Cp1252ToUtf8(byte), utf8) << std::hex << std::uint32_t(c);
        ++bytes;
    }
    EXPECT_EQ(bytes, 256 - 32 - 1 - 5);
}
