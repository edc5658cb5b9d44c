#include "core/cp1250.h"

#include <gtest/gtest.h>

namespace planek {
namespace {

TEST(Cp1250, EveryByteDecodesAndEncodesBack) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += char(b);
    const std::string utf8 = cp1250_to_utf8(all);
    EXPECT_EQ(first_unencodable(utf8), std::nullopt);
    ASSERT_TRUE(utf8_to_cp1250(utf8).has_value());
    EXPECT_EQ(*utf8_to_cp1250(utf8), all);
    EXPECT_EQ(utf8_to_cp1250_lossy(utf8), all);
    // Each byte on its own gives a distinct character.
    for (int a = 128; a < 256; ++a)
        for (int b = a + 1; b < 256; ++b)
            ASSERT_NE(cp1250_to_utf8(std::string(1, char(a))), cp1250_to_utf8(std::string(1, char(b)))) << a << " " << b;
}

TEST(Cp1250, UnassignedBytesBecomeC1Controls) {
    EXPECT_EQ(cp1250_to_utf8("\x81"), "\xC2\x81");
    EXPECT_EQ(cp1250_to_utf8("\x83"), "\xC2\x83");
    EXPECT_EQ(cp1250_to_utf8("\x88"), "\xC2\x88");
    EXPECT_EQ(cp1250_to_utf8("\x90"), "\xC2\x90");
    EXPECT_EQ(cp1250_to_utf8("\x98"), "\xC2\x98");
    // Other C1 controls have no byte of their own.
    EXPECT_FALSE(utf8_to_cp1250("\xC2\x80").has_value());
}

TEST(Cp1250, PolishLettersAndPunctuation) {
    EXPECT_EQ(*utf8_to_cp1250("ąćęłńóśźż"), "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF");
    EXPECT_EQ(*utf8_to_cp1250("ĄĆĘŁŃÓŚŹŻ"), "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF");
    EXPECT_EQ(*utf8_to_cp1250("¤"), "\xA4");
    EXPECT_EQ(*utf8_to_cp1250("„"), "\x84");
    EXPECT_EQ(*utf8_to_cp1250("”"), "\x94");
    EXPECT_EQ(*utf8_to_cp1250("‹"), "\x8B");
    EXPECT_EQ(*utf8_to_cp1250("›"), "\x9B");
    EXPECT_EQ(*utf8_to_cp1250("€"), "\x80");
    EXPECT_EQ(cp1250_to_utf8("Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1"), "Zażółć gęślą jaźń");
}

TEST(Cp1250, UnencodableCharactersAreRefusedNotDropped) {
    EXPECT_EQ(first_unencodable("abc"), std::nullopt);
    EXPECT_EQ(first_unencodable("Łódź ☺ i ж"), "☺");
    EXPECT_FALSE(utf8_to_cp1250("Łódź ☺").has_value());
    EXPECT_EQ(utf8_to_cp1250_lossy("Łódź ☺!"), "\xA3\xF3" "d\x9F ?!");
    EXPECT_EQ(first_unencodable("a\xF0\x9F\x98\x80"), "\xF0\x9F\x98\x80");  // outside the BMP
}

TEST(Cp1250, LongPlainRunsAroundOtherCharacters) {
    const std::string run(300, 'a');
    EXPECT_EQ(utf8_to_cp1250_lossy(run + "ł" + run + "☺" + run + "\xFF"), run + "\xB3" + run + "?" + run + "?");
    EXPECT_EQ(utf8_to_cp1250("<p>Ż</p>\r\n"), "<p>\xAF</p>\r\n");
    EXPECT_EQ(utf8_to_cp1250(""), "");
}

TEST(Cp1250, MalformedUtf8IsUnencodableAndNamedReadably) {
    EXPECT_EQ(first_unencodable("ab\xFF"), "\\xFF");
    EXPECT_EQ(first_unencodable("\xC3"), "\\xC3");           // cut short
    EXPECT_EQ(first_unencodable("\xC0\xA4"), "\\xC0");       // overlong
    EXPECT_EQ(first_unencodable("\xED\xA0\x80"), "\\xED");   // surrogate
    EXPECT_FALSE(utf8_to_cp1250("x\xA4").has_value());       // a raw cp1250 byte
    EXPECT_EQ(utf8_to_cp1250_lossy("x\xA4y"), "x?y");
}

}  // namespace
}  // namespace planek
