#include "core/ini_file.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

using test::read_file;
using test::TempDir;
using test::write_file;

const char* kSample =
    "; komentarz\r\n"
    "[Grupa1]\r\n"
    "Nazwa = Interna \r\n"
    "zkolor1=clWhite\r\n"
    "nazwa=druga\r\n"
    "dziwna linia\r\n"
    "\r\n"
    "[Ustawienia]\r\n"
    "liczba=12 min\r\n"
    "flaga=1\r\n"
    "zle=abc\r\n";

TEST(IniFile, LookupIsCaseInsensitiveAndFirstKeyWins) {
    IniFile ini;
    ini.loadText(kSample);
    EXPECT_EQ(ini.readString("grupa1", "NAZWA"), "Interna");
    EXPECT_EQ(ini.readString("GRUPA1", "brak", "def"), "def");
    EXPECT_EQ(ini.readString("brak", "nazwa", "def"), "def");
    EXPECT_TRUE(ini.sectionExists("ustawienia"));
    EXPECT_FALSE(ini.sectionExists("komentarz"));
    EXPECT_TRUE(ini.keyExists("USTAWIENIA", "Flaga"));
    EXPECT_FALSE(ini.keyExists("Ustawienia", "nazwa"));
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"Grupa1", "Ustawienia"}));
    EXPECT_EQ(ini.keys("grupa1"), (std::vector<std::string>{"Nazwa", "zkolor1", "nazwa"}));
    EXPECT_EQ(ini.sectionLines("Grupa1"),
              (std::vector<std::string>{"Nazwa = Interna ", "zkolor1=clWhite", "nazwa=druga", "dziwna linia"}));
    // Polish letters in names match regardless of case too.
    ini.writeString("Łąka", "Źródło", "1");
    EXPECT_EQ(ini.readString("ŁĄKA", "źRÓDŁO"), "1");
}

TEST(IniFile, RepeatedAndErasedSectionsFindTheRightOne) {
    IniFile ini;
    ini.loadText("[a]\r\nk=1\r\n[B]\r\nk=2\r\n[A]\r\nk=3\r\n");
    EXPECT_EQ(ini.readString("A", "k"), "1");  // the first of a repeated section
    ini.writeString("a", "n", "x");
    EXPECT_EQ(ini.sectionLines("a"), (std::vector<std::string>{"k=1", "n=x"}));
    ini.eraseSection("A");  // takes both copies
    EXPECT_FALSE(ini.sectionExists("a"));
    EXPECT_EQ(ini.readString("b", "k"), "2");  // moved in the list, still found
    ini.writeString("A", "k", "4");
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(ini.readString("a", "k"), "4");
    ini.loadText("[c]\r\n");
    EXPECT_FALSE(ini.sectionExists("b"));  // nothing left over from the last text
}

TEST(IniFile, LenientNumbersAndFlags) {
    IniFile ini;
    ini.loadText(kSample);
    EXPECT_EQ(ini.readInt("Ustawienia", "liczba", 5), 12);
    EXPECT_EQ(ini.readInt("Ustawienia", "zle", 5), 5);
    EXPECT_EQ(ini.readInt("Ustawienia", "brak", -3), -3);
    ini.writeInt("Ustawienia", "ujemna", -40);
    EXPECT_EQ(ini.readInt("Ustawienia", "ujemna", 0), -40);
    ini.writeString("Ustawienia", "ogromna", "99999999999999999999999");
    EXPECT_EQ(ini.readInt("Ustawienia", "ogromna", 7), 7);
    EXPECT_TRUE(ini.readBool("Ustawienia", "flaga", false));
    EXPECT_FALSE(ini.readBool("Ustawienia", "liczba", true));
    EXPECT_TRUE(ini.readBool("Ustawienia", "brak", true));
    ini.writeBool("Ustawienia", "flaga", false);
    EXPECT_EQ(ini.readString("Ustawienia", "flaga"), "0");
}

TEST(IniFile, UnchangedTextComesBackAsItWas) {
    IniFile ini;
    ini.loadText(kSample);
    EXPECT_EQ(ini.text(), kSample);
    const std::string odd = "top=1\r\n  [ Odd ] ; note\r\n;k=v\r\nk = v\r\n";
    ini.loadText(odd);
    EXPECT_EQ(ini.text(), odd);
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"Odd"}));
    EXPECT_EQ(ini.keys("odd"), (std::vector<std::string>{"k"}));
    EXPECT_EQ(ini.readString("odd", "k"), "v");
    // Lines before the first section belong to no section.
    EXPECT_FALSE(ini.keyExists("", "top"));
}

TEST(IniFile, WritesKeepOrderAndPlaceNewKeysAndSections) {
    IniFile ini;
    ini.loadText(kSample);
    ini.writeString("GRUPA1", "NAZWA", "Chirurgia");  // first of the two keys
    ini.writeString("grupa1", "nowy", "a¤b");
    ini.writeString("Nowa", "k", "v");
    ini.deleteKey("ustawienia", "ZLE");
    EXPECT_EQ(ini.text(),
              "; komentarz\r\n"
              "[Grupa1]\r\n"
              "Nazwa=Chirurgia\r\n"
              "zkolor1=clWhite\r\n"
              "nazwa=druga\r\n"
              "dziwna linia\r\n"
              "nowy=a¤b\r\n"
              "\r\n"
              "[Ustawienia]\r\n"
              "liczba=12 min\r\n"
              "flaga=1\r\n"
              "[Nowa]\r\n"
              "k=v\r\n");
    ini.eraseSection("grupa1");
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"Ustawienia", "Nowa"}));
    EXPECT_FALSE(ini.keyExists("Grupa1", "nazwa"));
}

TEST(IniFile, LineBreaksInValuesCannotSplitTheFile) {
    IniFile ini;
    ini.writeString("A", "k", "one\r\n[B]\nx=1");
    IniFile back;
    back.loadText(ini.text());
    EXPECT_EQ(back.sections(), (std::vector<std::string>{"A"}));
    EXPECT_EQ(back.readString("A", "k"), "one  [B] x=1");
}

TEST(IniFile, SavedAsCp1250WithCrLfAndReadBack) {
    TempDir dir;
    const auto f = dir / "konfiguracja.ini";
    {
        IniFile ini(f);  // missing file: empty, remembers the path
        EXPECT_TRUE(ini.sections().empty());
        ini.writeString("Święta", "nazwa", "Boże Narodzenie¤„x”");
        ini.writeInt("Święta", "dzień", 25);
        ASSERT_TRUE(ini.save()) << ini.error();
    }
    EXPECT_EQ(read_file(f), "[\x8Cwi\xEAta]\r\nnazwa=Bo\xBF" "e Narodzenie\xA4\x84x\x94\r\ndzie\xF1=25\r\n");
    IniFile back(f);
    EXPECT_EQ(back.readString("święta", "NAZWA"), "Boże Narodzenie¤„x”");
    EXPECT_EQ(back.readInt("ŚWIĘTA", "dzień", 0), 25);
}

TEST(IniFile, UnencodableValueIsNotSaved) {
    TempDir dir;
    const auto f = dir / "a.ini";
    write_file(f, "[s]\r\nk=old\r\n");
    IniFile ini(f);
    ini.writeString("s", "k", "Жук");
    EXPECT_FALSE(ini.save());
    EXPECT_NE(ini.error().find("a.ini"), std::string::npos) << ini.error();
    EXPECT_EQ(read_file(f), "[s]\r\nk=old\r\n");
}

TEST(IniFile, UnreadableFileReportsError) {
    TempDir dir;
    IniFile ini;
    EXPECT_FALSE(ini.load(dir / "brak.ini"));
    EXPECT_NE(ini.error().find("brak.ini"), std::string::npos);
    EXPECT_EQ(ini.readString("a", "b", "d"), "d");
}

TEST(IniFile, AFileThatCouldNotBeReadIsNeverSavedOverFromWhatWasRead) {
    TempDir dir;
    const auto f = dir / "konfiguracja.ini";
    write_file(f, "[glowne]\r\nautosave=25\r\nfirma=Szpital\r\n");
    set_read_fault(f);
    IniFile ini(f);
    set_read_fault({});
    EXPECT_TRUE(ini.unreadable());
    ini.writeInt("glowne", "last_backup", 1);
    EXPECT_FALSE(ini.save());
    EXPECT_FALSE(ini.saveAs(f));
    EXPECT_NE(ini.error().find("konfiguracja.ini"), std::string::npos) << ini.error();
    EXPECT_EQ(read_file(f), "[glowne]\r\nautosave=25\r\nfirma=Szpital\r\n");
    // Elsewhere it may go, and a later good load lifts the block.
    EXPECT_TRUE(ini.saveAs(dir / "inny.ini"));
    ASSERT_TRUE(ini.load(f));
    EXPECT_FALSE(ini.unreadable());
    EXPECT_TRUE(ini.save());

    // A missing file is no failed read: it is simply new.
    IniFile fresh(dir / "nowy.ini");
    EXPECT_FALSE(fresh.unreadable());
    fresh.writeInt("a", "b", 1);
    EXPECT_TRUE(fresh.save());
}

}  // namespace
}  // namespace planek
