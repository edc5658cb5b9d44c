// The language files shipped in lang/ against the texts the code asks for.
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "core/text.h"
#include "settings/language.h"
#include "settings_fixture.h"

namespace planek::test {
namespace {

const std::filesystem::path kSource = PLANEK_SOURCE_DIR;

struct text_key {
    std::string section, key;
    bool operator<(const text_key& o) const {
        return std::pair(lower_pl(section), lower_pl(key)) < std::pair(lower_pl(o.section), lower_pl(o.key));
    }
};

// The text of a C++ string literal's body.
std::string unescape(const std::string& s) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            r += s[i];
            continue;
        }
        char c = s[++i];
        r += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    return r;
}

// Every lookup with literal section and key in the sources, with the
// built-in texts given where they are literals.
std::map<text_key, std::set<std::string>> keys_in_code() {
    std::map<text_key, std::set<std::string>> found;
    const std::string str = R"x("((?:[^"\\]|\\.)*)")x";
    const std::regex single(R"(\b(msg|muv)\(\s*)" + str + R"((\s*,\s*)" + str + R"(\s*[,)])?)");
    // A section literal (a form, or one of the fixed sections) followed by a
    // key literal: tr("f_Remove", "rg_RemoveFor0", ...) and the GUI's
    // text(plan, "f_MainForm", "l_Groups", ...) alike.
    const std::regex name("[A-Za-z][A-Za-z0-9_]*");
    const std::regex pair(R"x("(f_[A-Za-z0-9_]+|h|messages|dialogs|main|MostUsedValues|warnings)"\s*,\s*)x" + str +
                          R"((\s*,\s*)" + str + R"(\s*[,)])?)");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kSource / "src")) {
        std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        std::ifstream in(entry.path());
        std::stringstream ss;
        ss << in.rdbuf();
        std::string text = ss.str();
        for (std::sregex_iterator it(text.begin(), text.end(), single), end; it != end; ++it) {
            std::string section = (*it)[1] == "msg" ? "messages" : "MostUsedValues";
            std::optional<std::string> def;
            if ((*it)[4].matched) def = unescape((*it)[4].str());
            auto& defs = found[text_key{section, (*it)[2].str()}];
            if (def) defs.insert(*def);
        }
        for (std::sregex_iterator it(text.begin(), text.end(), pair), end; it != end; ++it) {
            std::optional<std::string> def;
            if ((*it)[4].matched) def = unescape((*it)[4].str());
            std::string section = (*it)[1].str(), key = (*it)[2].str();
            // Keys are names; outside the forms they carry a prefix ("msg_",
            // "sb_"...), which tells them from other pairs of literals.
            if (!std::regex_match(key, name) || (section.rfind("f_", 0) != 0 && key.find('_') == std::string::npos))
                continue;
            auto& defs = found[text_key{section, key}];
            if (def) defs.insert(*def);
        }
    }
    return found;
}

// The section/key pairs of a language file, with their values.
std::map<text_key, std::string> file_entries(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    std::map<text_key, std::string> entries;
    std::string section;
    for (std::string line : split_fields(cp1250_to_utf8(ss.str()), "\n")) {
        line = trim(line);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        size_t eq = line.find('=');
        if (eq != std::string::npos)
            entries.emplace(text_key{section, trim(line.substr(0, eq))}, decode_language_value(line.substr(eq + 1)));
    }
    return entries;
}

// The placeholders of a format text, in order.
std::string placeholders(const std::string& s) {
    std::string r;
    for (size_t i = 0; i + 1 < s.size(); ++i)
        if (s[i] == '%') {
            size_t j = i + 1;
            while (j < s.size() && (s[j] == '.' || (s[j] >= '0' && s[j] <= '9'))) ++j;
            if (j < s.size()) r += s.substr(i, j - i + 1);
            i = j;
        }
    return r;
}

// Keys written as literals anywhere in the sources (lookups through helpers
// and tables included), by their prefix: "msg_" in messages, "w_" in
// warnings, "muv_" in MostUsedValues; "st_" and "d_" in whatever section.
std::set<text_key> prefixed_keys_in_code() {
    std::set<text_key> found;
    const std::regex literal(R"x("((msg|muv|st|d)_[A-Za-z0-9_]+|w_[A-Z][A-Za-z0-9_]*)")x");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kSource / "src")) {
        std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        std::ifstream in(entry.path());
        std::stringstream ss;
        ss << in.rdbuf();
        std::string text = ss.str();
        for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it) {
            // A widget's object name is no lookup.
            std::string before = trim(std::string_view(text).substr(0, size_t(it->position())));
            if (before.size() >= 14 && before.compare(before.size() - 14, 14, "setObjectName(") == 0) continue;
            std::string key = (*it)[1].str();
            std::string prefix = (*it)[2].matched ? (*it)[2].str() : "w";
            std::string section = prefix == "msg" ? "messages" : prefix == "w" ? "warnings"
                                  : prefix == "muv"  ? "MostUsedValues"
                                                     : "";
            found.insert(text_key{section, key});
        }
    }
    return found;
}

bool has_key(const std::map<text_key, std::string>& entries, const text_key& k) {
    if (!k.section.empty()) return entries.count(k) != 0;
    for (const auto& [e, v] : entries)
        if (lower_pl(e.key) == lower_pl(k.key)) return true;
    return false;
}

TEST(ShippedLanguages, EveryPrefixedKeyOfTheCodeIsTranslated) {
    auto keys = prefixed_keys_in_code();
    ASSERT_GT(keys.size(), 50u);
    auto english = file_entries(kSource / "lang" / "english.lng");
    auto polish = file_entries(kSource / "lang" / "polski.lng");
    for (const text_key& k : keys) {
        EXPECT_TRUE(has_key(english, k)) << "english.lng lacks [" << k.section << "] " << k.key;
        EXPECT_TRUE(has_key(polish, k)) << "polski.lng lacks [" << k.section << "] " << k.key;
    }
}

TEST(ShippedLanguages, EveryTextOfTheCodeIsTranslated) {
    auto code = keys_in_code();
    ASSERT_GT(code.size(), 10u);
    auto english = file_entries(kSource / "lang" / "english.lng");
    auto polish = file_entries(kSource / "lang" / "polski.lng");
    for (const auto& [k, def] : code) {
        EXPECT_TRUE(english.count(k)) << "english.lng lacks [" << k.section << "] " << k.key;
        EXPECT_TRUE(polish.count(k)) << "polski.lng lacks [" << k.section << "] " << k.key;
    }
}

TEST(ShippedLanguages, BothFilesHoldTheSameKeysAndPlaceholders) {
    auto english = file_entries(kSource / "lang" / "english.lng");
    auto polish = file_entries(kSource / "lang" / "polski.lng");
    for (const auto& [k, v] : polish) {
        auto it = english.find(k);
        if (it == english.end()) {
            ADD_FAILURE() << "english.lng lacks [" << k.section << "] " << k.key;
            continue;
        }
        EXPECT_EQ(placeholders(it->second), placeholders(v)) << k.key;
    }
    for (const auto& [k, v] : english) EXPECT_TRUE(polish.count(k)) << "polski.lng lacks " << k.key;
}

// polski.lng overrides the built-in texts, so it must not drift from them.
TEST(ShippedLanguages, PolishFileRepeatsTheBuiltInTexts) {
    auto polish = file_entries(kSource / "lang" / "polski.lng");
    for (const auto& [k, defs] : keys_in_code()) {
        auto it = polish.find(k);
        if (defs.size() != 1 || defs.begin()->empty() || it == polish.end()) continue;  // see the next test
        EXPECT_EQ(it->second, *defs.begin()) << "[" << k.section << "] " << k.key;
    }
}

// One key, one built-in text: the language file can only repeat one of them.
TEST(ShippedLanguages, EveryKeyHasOneBuiltInText) {
    for (const auto& [k, defs] : keys_in_code()) {
        std::set<std::string> given(defs);
        given.erase("");
        EXPECT_LE(given.size(), 1u) << "[" << k.section << "] " << k.key << " has differing built-in texts";
    }
}

TEST(ShippedLanguages, EnglishFileLoadsWithFourDutyAsEntriesAndAllKindNames) {
    Translator tr;
    ASSERT_TRUE(load_language_file(tr, kSource / "lang" / "english.lng"));
    EXPECT_EQ(muv_entries(tr.muv("muv_DutyAsName", "")).size(), 4u);
    EXPECT_EQ(muv_entries(tr.muv("muv_DutyAsSymbol", "")).size(), 4u);
    EXPECT_EQ(muv_entries(tr.muv("muv_DayOffNames", "")).size(), 24u);
    Translator pl;
    ASSERT_TRUE(load_language_file(pl, kSource / "lang" / "polski.lng"));
    EXPECT_EQ(muv_entries(pl.muv("muv_DayOffNames", "")).size(), 24u);
    EXPECT_EQ(pl.msg("msg_ConfirmDelete", ""), "Czy napewno usunąć?");
}

}  // namespace
}  // namespace planek::test
