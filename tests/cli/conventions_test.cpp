// planek-cli behaves as a Unix tool is expected to: a version, help for one
// command, "--option=value", exit codes that mean one thing each, a hint for
// a mistyped command, and no program folder made behind a mistyped --root.
#include <gtest/gtest.h>

#include <regex>

#include "cli_runner.h"
#include "support/month_files.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::result;
using test::run_cli;
using test::run_cli_on;
using test::TempDir;

bool has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

// Letters only Polish has: an English line holds none of them.
bool polish_letters(const std::string& text) {
    for (const char* letter : {"ą", "ć", "ę", "ł", "ń", "ó", "ś", "ź", "ż", "Ą", "Ć", "Ę", "Ł", "Ń", "Ó", "Ś", "Ź", "Ż"})
        if (has(text, letter)) return true;
    return false;
}

class CliConventions : public ::testing::Test {
protected:
    TempDir dir;
    std::string root;
    void SetUp() override {
        root = (dir / "ward").string();
        ASSERT_EQ(run_cli(dir, {"demo", root}).code, 0);
    }
    result cli(const std::vector<std::string>& args, const std::string& lang = "english") {
        return run_cli_on(dir, root, args, lang);
    }
};

TEST_F(CliConventions, VersionHelpAndUnknownNamesAnswerWithTheirExitCodes) {
    const result version = run_cli(dir, {"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(std::regex_search(version.out, std::regex(R"(^planek-cli \d+\.\d+ \(.+\)\n$)"))) << version.out;

    const result help = cli({"help", "add-duty"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(has(help.out, "usage: planek-cli add-duty FILE.pnk WORKER DAY SHIFT")) << help.out;
    EXPECT_EQ(cli({"add-duty", "--help"}).out, help.out);

    const result nosuch = cli({"help", "nosuch"});
    EXPECT_EQ(nosuch.code, 2);
    EXPECT_EQ(nosuch.out, "");
    EXPECT_TRUE(has(nosuch.err, "unknown command \"nosuch\"")) << nosuch.err;

    const result typo = cli({"stafff"});
    EXPECT_EQ(typo.code, 2);
    EXPECT_TRUE(has(typo.err, "did you mean \"staff\"?")) << typo.err;
    EXPECT_FALSE(has(cli({"xyzzy"}).err, "did you mean")) << "no hint from far away";

    const result option = cli({"show", "x.pnk", "--bogus"});
    EXPECT_EQ(option.code, 2);
    EXPECT_TRUE(has(option.err, "unknown option \"--bogus\"")) << option.err;
    EXPECT_TRUE(has(option.err, "usage: planek-cli show FILE.pnk")) << option.err;

    // help's own help is the whole help.
    const result whole = cli({"help"});
    EXPECT_EQ(cli({"help", "--help"}).out, whole.out);
    EXPECT_EQ(cli({"help", "help"}).code, 0);

    // A mistyped option is never taken for the name of a folder or a file.
    for (const char* command : {"init", "demo", "check"}) {
        // Run in the test's folder, so a folder named so would land there.
        const result r = test::run_program(dir, PLANEK_CLI, {"--lang", "english", command, "--bogus"},
                                           "cd " + test::quote(dir.path().string()) + " && LC_ALL=C.UTF-8 LANG=C.UTF-8 ");
        EXPECT_EQ(r.code, 2) << command << ": " << r.err;
        EXPECT_TRUE(has(r.err, "unknown option \"--bogus\"")) << command << ": " << r.err;
        EXPECT_FALSE(fs::exists(dir / "--bogus")) << command;
    }

    const result polish = cli({"help", "nosuch"}, "polski");
    EXPECT_TRUE(has(polish.err, "nieznane polecenie „nosuch”")) << polish.err;
}

TEST_F(CliConventions, AnOptionTakesItsValueAfterAnEqualsSignAsWell) {
    const std::string month = test::month_files(dir / "ward" / "dane").back().string();
    const result spaced = run_cli(dir, {"--root", root, "--lang", "english", "show", month, "--group", "1"});
    ASSERT_EQ(spaced.code, 0) << spaced.err;
    const result joined = run_cli(dir, {"--root=" + root, "--lang=english", "show", month, "--group=1"});
    EXPECT_EQ(joined.code, 0) << joined.err;
    EXPECT_EQ(joined.out, spaced.out);
    EXPECT_NE(joined.out, run_cli(dir, {"--root=" + root, "--lang=english", "show", month, "--group=2"}).out);

    const result flag = cli({"summary", month, "--json=yes"});
    EXPECT_EQ(flag.code, 2);
    EXPECT_TRUE(has(flag.err, "--json takes no value")) << flag.err;
    const result badId = cli({"show", month, "--group=x"});
    EXPECT_EQ(badId.code, 2);
    EXPECT_TRUE(has(badId.err, "invalid group id \"x\"")) << badId.err;
    EXPECT_TRUE(has(cli({"show", month, "--group"}).err, "--group needs an id"));
}

// An action of a command mistyped gets the one meant, as a command does; an
// action, a store's address or a key given after "=" is taken as given
// after a space.
TEST_F(CliConventions, ActionsAreHintedAndEveryValueTakesAnEqualsSign) {
    const result worker = cli({"worker", "edt", "3", "--nick", "XY"});
    EXPECT_EQ(worker.code, 2);
    EXPECT_TRUE(has(worker.err, "unknown action \"edt\": say what to do: add, edit, archive or restore; did you mean "
                                "\"edit\"?"))
        << worker.err;
    EXPECT_TRUE(has(cli({"backup", "lst"}).err, "did you mean \"list\"?"));
    EXPECT_TRUE(has(cli({"group", "ad"}).err, "did you mean \"add\"?"));
    const result polish = cli({"db", "whoo"}, "polski");
    EXPECT_EQ(polish.code, 2);
    EXPECT_TRUE(has(polish.err, "nieznane działanie „whoo”: podaj, co zrobić:")) << polish.err;
    EXPECT_TRUE(has(polish.err, "czy chodziło o „who”?")) << polish.err;
    EXPECT_FALSE(has(cli({"worker"}).err, "unknown action")) << "no action is no mistyped one";

    // A month command run on the store is named as a command is.
    const std::string store = "host=/nonexistent port=1 dbname=x";
    const result inner = cli({"db", "act", store, "2027-03", "add-dutty", "1", "2", "1"});
    EXPECT_EQ(inner.code, 2);
    EXPECT_TRUE(has(inner.err, "did you mean \"add-duty\"?")) << inner.err;
    // "--db=" names the store: the act gets as far as the server that is not there.
    const result joined = cli({"db", "act", "--db=" + store, "2027-03", "add-duty", "1", "2", "1", "--group=1"});
    EXPECT_EQ(joined.code, 1) << joined.err;

    const result spaced = cli({"config", "--get", "glowne", "dyz8"});
    ASSERT_EQ(spaced.code, 0) << spaced.err;
    EXPECT_EQ(cli({"config", "--get=glowne", "dyz8"}).out, spaced.out);
    ASSERT_EQ(cli({"config", "--set=glowne", "miejscowosc", "York"}).code, 0);
    EXPECT_EQ(cli({"config", "--get", "glowne", "miejscowosc"}).out, "York\n");
    EXPECT_EQ(cli({"config", "--get=glowne"}).code, 2);
}

TEST_F(CliConventions, OnlyInitDemoAndGenerateMakeAProgramFolder) {
    const fs::path typo = dir / "nonexistent";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"staff"}, {"options"}, {"templates"}, {"config", "--get", "glowne", "lang"}}) {
        const result r = run_cli_on(dir, typo.string(), args, "english");
        EXPECT_EQ(r.code, 1) << args[0];
        EXPECT_TRUE(has(r.err, "is no program folder")) << r.err;
        EXPECT_FALSE(polish_letters(r.err)) << r.err;
        EXPECT_FALSE(fs::exists(typo)) << args[0] << " made the folder";
    }
    const result made = run_cli(dir, {"--lang", "english", "init", typo.string()});
    ASSERT_EQ(made.code, 0) << made.err;
    EXPECT_TRUE(has(made.out, "Made the program folder")) << made.out;
    EXPECT_TRUE(fs::is_directory(typo / "dane"));
    EXPECT_TRUE(fs::is_directory(typo / "lang"));
    const result again = run_cli(dir, {"--lang", "english", "init", typo.string()});
    EXPECT_EQ(again.code, 0);
    EXPECT_TRUE(has(again.out, "was already there")) << again.out;
    // An empty ward: no staff yet, and it says so rather than making one.
    EXPECT_EQ(run_cli_on(dir, typo.string(), {"staff"}, "english").code, 0);
}

TEST_F(CliConventions, TheHelpSpeaksOneLanguage) {
    const result english = cli({"help"});
    ASSERT_EQ(english.code, 0);
    EXPECT_FALSE(polish_letters(english.out)) << english.out;
    for (const char* word : {"Opcje", "Polecenia", "PLIK", "użycie", "folder programu"})
        EXPECT_FALSE(has(english.out, word)) << word;
    EXPECT_TRUE(has(english.out, "Exit codes: 0 done, 1 refused or failed, 2 wrong usage."));
    const result polish = cli({"help"}, "polski");
    for (const char* word : {"Options", "Commands", "FILE.pnk", "usage:"}) EXPECT_FALSE(has(polish.out, word)) << word;
    // The last --lang given is the one spoken, before the session and in it.
    const result last = run_cli(dir, {"--lang", "polski", "--root", root, "--lang=english", "help"});
    EXPECT_EQ(last.out, english.out);
    const result usage = run_cli(dir, {"--lang", "polski", "--root", root, "--lang", "english", "show", "x.pnk", "--bogus"});
    EXPECT_TRUE(has(usage.err, "unknown option \"--bogus\"")) << usage.err;
    // Without --lang, a folder's saved language is the one spoken.
    ASSERT_EQ(cli({"config", "--set", "glowne", "lang", "0"}, "polski").code, 0);
    const result saved = run_cli_on(dir, root, {"help"});
    EXPECT_TRUE(has(saved.out, "Commands:")) << saved.out;
}

}  // namespace
}  // namespace planek
