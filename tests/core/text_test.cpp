#include "core/text.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace planek {
namespace {

TEST(Text, FieldsSplitAndJoinOnTheCurrencySign) {
    EXPECT_EQ(split_fields("Etat¤Kontrakt¤Umowa-zlecenie¤Inny"),
              (std::vector<std::string>{"Etat", "Kontrakt", "Umowa-zlecenie", "Inny"}));
    EXPECT_EQ(split_fields("a¤¤b¤"), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_TRUE(split_fields("").empty());
    EXPECT_EQ(split_fields("a|b", "|"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(join_fields({"x", "", "y"}), "x¤¤y");
    EXPECT_EQ(split_fields(join_fields({"x", "", "y"})), (std::vector<std::string>{"x", "", "y"}));
}

TEST(Text, TrimAndFlags) {
    EXPECT_EQ(trim("  a b \t\r\n"), "a b");
    EXPECT_EQ(trim(" \t "), "");
    EXPECT_EQ(trim("ą"), "ą");  // multibyte letters are not blanks
    EXPECT_TRUE(parse_flag("1"));
    for (const char* s : {"0", "", "2", "true", " 1", "01"}) EXPECT_FALSE(parse_flag(s)) << s;
    EXPECT_STREQ(flag_text(true), "1");
    EXPECT_STREQ(flag_text(false), "0");
}

TEST(Text, WholeNumbers) {
    EXPECT_EQ(parse_int("42"), 42);
    EXPECT_EQ(parse_int(" -7 "), -7);
    EXPECT_EQ(parse_int("+3"), 3);
    EXPECT_EQ(parse_int("9223372036854775807"), 9223372036854775807LL);
    for (const char* s : {"", " ", "-", "+", "+-1", "1.5", "12a", "0x10", "9223372036854775808"})
        EXPECT_EQ(parse_int(s), std::nullopt) << s;
}

TEST(Text, RealsAcceptBothSeparators) {
    EXPECT_DOUBLE_EQ(*parse_real("87,5"), 87.5);
    EXPECT_DOUBLE_EQ(*parse_real("87.5"), 87.5);
    EXPECT_DOUBLE_EQ(*parse_real(" -0,25 "), -0.25);
    EXPECT_DOUBLE_EQ(*parse_real("100"), 100.0);
    for (const char* s : {"", "1,2,3", "1.2.3", "abc", "1e5", "inf", "nan", "1,5x", "+-1", "--1"})
        EXPECT_EQ(parse_real(s), std::nullopt) << s;
    EXPECT_EQ(real_text(87.5), "87,5");
    EXPECT_EQ(real_text(87.5, '.'), "87.5");
    EXPECT_EQ(real_text(100), "100");
    EXPECT_EQ(real_text(0.1 + 0.2), "0,3");
    EXPECT_EQ(real_text(-0.0), "0");
    EXPECT_EQ(real_text(1e20), "100000000000000000000");
    for (double v : {0.5, 1.0 / 3, 123456.789, -4.75})
        EXPECT_NEAR(*parse_real(real_text(v)), v, 1e-12) << v;
}

TEST(Text, ColoursByNameAndHex) {
    EXPECT_EQ(parse_colour("clWhite"), 0xFFFFFFu);
    EXPECT_EQ(parse_colour("clyellow"), 0x00FFFFu);
    EXPECT_EQ(parse_colour("CLRED"), 0x0000FFu);
    EXPECT_EQ(parse_colour("clBlue"), 0xFF0000u);
    EXPECT_EQ(parse_colour("clMoneyGreen"), 0xC0DCC0u);
    EXPECT_EQ(parse_colour("clLtGray"), 0xC0C0C0u);
    EXPECT_EQ(parse_colour("$00DDDDDD"), rgb(221, 221, 221));
    EXPECT_EQ(parse_colour("$00ddeeff"), rgb(0xFF, 0xEE, 0xDD));
    EXPECT_EQ(parse_colour("255"), 0xFFu);
    for (const char* s : {"", "$", "$123456789", "$XYZ", "clNothing", "white"})
        EXPECT_EQ(parse_colour(s), std::nullopt) << s;

    EXPECT_EQ(colour_text(0xFFFFFF), "clWhite");
    EXPECT_EQ(colour_text(0x00FFFF), "clYellow");
    EXPECT_EQ(colour_text(0xC0C0C0), "clSilver");
    EXPECT_EQ(colour_text(0x808080), "clGray");
    EXPECT_EQ(colour_text(rgb(221, 221, 221)), "$00DDDDDD");
    EXPECT_EQ(colour_text(rgb(1, 2, 3)), "$00030201");
    for (colour c : {0x000000u, 0xFF00FFu, 0xC0DCC0u, 0x12345678u, 0xFF00000Fu, rgb(200, 150, 120)})
        EXPECT_EQ(parse_colour(colour_text(c)), c) << c;
}

TEST(Text, PolishCase) {
    EXPECT_EQ(lower_pl("ZAŻÓŁĆ GĘŚLĄ JAŹŃ"), "zażółć gęślą jaźń");
    EXPECT_EQ(upper_pl("zażółć gęślą jaźń"), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
    EXPECT_EQ(lower_pl("ŠŤŽÁ"), "šťžá");
    EXPECT_EQ(upper_pl("ß×÷1-"), "ß×÷1-");
    EXPECT_EQ(lower_pl("a\xFF"), "a\xFF");  // malformed bytes pass through
}

TEST(Text, PolishOrderIgnoresCase) {
    std::vector<std::string> names{"Żak", "zoja", "Źdźbło", "łukasz", "Lis", "Ćma", "cyna", "Ąbc", "azot",
                                   "Ostrowska", "Ólek", "nowak", "Ńa", "ęe", "Eva", "śnieg", "Sowa"};
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return compare_pl(a, b) < 0; });
    EXPECT_EQ(names, (std::vector<std::string>{"azot", "Ąbc", "cyna", "Ćma", "Eva", "ęe", "Lis", "łukasz",
                                               "nowak", "Ńa", "Ostrowska", "Ólek", "Sowa", "śnieg", "zoja",
                                               "Źdźbło", "Żak"}));
    EXPECT_EQ(compare_pl("ŁÓDŹ", "łódź"), 0);
    EXPECT_LT(compare_pl("Kot", "Kotek"), 0);
    EXPECT_GT(compare_pl("b", "a"), 0);
    EXPECT_LT(compare_pl("1", "a"), 0);
    EXPECT_GT(compare_pl("z", "ą"), 0);
    EXPECT_LT(compare_pl("ą", "b"), 0);
}

TEST(Text, CharacterCounts) {
    EXPECT_EQ(utf8_length("Łódź"), 4u);
    EXPECT_EQ(utf8_length(""), 0u);
    EXPECT_EQ(utf8_left("Łódź", 2), "Łó");
    EXPECT_EQ(utf8_left("Łódź", 10), "Łódź");
    EXPECT_EQ(utf8_left("ab", 0), "");
}

}  // namespace
}  // namespace planek
