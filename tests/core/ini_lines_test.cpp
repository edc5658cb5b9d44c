#include <gtest/gtest.h>

#include "core/ini_file.h"
#include "core/ini_lines.h"

namespace planek {
namespace {

TEST(IniLines, SectionsKeysAndValuesWithTheirLineNumbers) {
    const std::vector<ini_line> lines =
        ini_lines(std::string_view(" [Grupa 1] \r\nNazwa = Chirurgia \n\r; uwaga=1\r[a] x\n[zle=1\nbez znaku\n=v\n"));
    ASSERT_EQ(lines.size(), 8u);
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].number, int(i) + 1);

    EXPECT_EQ(lines[0].section, "Grupa 1");
    EXPECT_EQ(lines[0].text, " [Grupa 1] ");
    EXPECT_TRUE(lines[1].pair);
    EXPECT_EQ(lines[1].key, "Nazwa");
    EXPECT_EQ(lines[1].value, " Chirurgia");  // the blank after '=' is the reader's to drop
    EXPECT_TRUE(lines[2].blank);
    EXPECT_TRUE(lines[3].comment);
    EXPECT_FALSE(lines[3].pair);
    // A header followed by more text: the section, and what follows it.
    EXPECT_EQ(lines[4].section, "a");
    EXPECT_EQ(lines[4].afterSection, "x");
    // An unclosed bracket is no section, but still a pair.
    EXPECT_TRUE(lines[5].bracketed);
    EXPECT_FALSE(lines[5].section);
    EXPECT_TRUE(lines[5].pair);
    EXPECT_EQ(lines[5].key, "[zle");
    EXPECT_FALSE(lines[6].pair);
    EXPECT_FALSE(lines[6].section);
    EXPECT_TRUE(lines[7].pair);
    EXPECT_EQ(lines[7].key, "");
}

// The profile-file class keeps every line as it was, whatever it made of it.
TEST(IniLines, ProfileFileKeepsOddLinesAndReadsWhatItCan) {
    const std::string text = "; naglowek\r\n[a] x\r\nk = v \r\n[zle=1\r\n\r\n[A]\r\nk=drugi\r\n";
    IniFile ini;
    ini.loadText(text);
    EXPECT_EQ(ini.text(), text);
    EXPECT_EQ(ini.readString("A", "k"), "v");  // the first section of the name, the blanks dropped
    EXPECT_EQ(ini.readString("a", "[zle"), "1");
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"a", "A"}));
}

}  // namespace
}  // namespace planek
