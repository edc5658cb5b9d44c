#include <gtest/gtest.h>

#include <sstream>

#include "cli/arg_parser.h"
#include "cli/cli.h"

namespace planek::cli {
namespace {

std::string refusal(const arg_parser& p, const std::vector<std::string>& args) {
    try {
        p.parse(args);
    } catch (const usage_error& e) {
        return e.what();
    }
    return "";
}

TEST(ArgParser, OptionsAnywhereWordsInOrder) {
    std::optional<word> group;
    bool json = false;
    std::string out;
    arg_parser p;
    p.id("--group", group, "grupy").flag("--json", json).text("-o", out);
    const auto words = p.parse({"a.pnk", "--json", "b.pnk", "--group", "7", "-o", "--x", "c.pnk"});
    EXPECT_EQ(words, (std::vector<std::string>{"a.pnk", "b.pnk", "c.pnk"}));
    EXPECT_EQ(group, word(7));
    EXPECT_TRUE(json);
    EXPECT_EQ(out, "--x");  // a value is taken as it is, even one that looks like an option
}

TEST(ArgParser, RefusalsSayWhatIsWrong) {
    std::optional<word> group;
    arg_parser p;
    p.id("--group", group, "grupy").value("--seed", [](const std::string&) {}).words(1);
    EXPECT_EQ(refusal(p, {"--seed"}), "--seed wymaga wartości");
    EXPECT_EQ(refusal(p, {"--group", "0"}), "niepoprawny identyfikator grupy „0”");
    EXPECT_EQ(refusal(p, {"--group", "65536"}), "niepoprawny identyfikator grupy „65536”");
    EXPECT_EQ(refusal(p, {"--group", "65535"}), "");
    EXPECT_EQ(refusal(p, {"--grupa", "1"}), "nieznana opcja „--grupa”");
    EXPECT_EQ(refusal(p, {"a", "b"}), "nieoczekiwany argument „b”");
    EXPECT_EQ(refusal(p, {"-3"}), "nieznana opcja „-3”");
    // The first mistake met is the one told.
    EXPECT_EQ(refusal(p, {"a", "b", "--grupa"}), "nieoczekiwany argument „b”");

    std::optional<word> worker;
    arg_parser own;
    own.id("--worker", worker, "pracownika", "--worker wymaga identyfikatora");
    EXPECT_EQ(refusal(own, {"--worker"}), "--worker wymaga identyfikatora");
}

TEST(ArgParser, NegativeNumbersCanBeWords) {
    arg_parser p;
    p.numbers_are_words();
    EXPECT_EQ(p.parse({"-3", "-"}), (std::vector<std::string>{"-3", "-"}));
    EXPECT_EQ(refusal(p, {"-x"}), "nieznana opcja „-x”");
}

// Every command still refuses wrong arguments with its own line and exit 2,
// before it touches any folder.
TEST(ArgParser, CommandsKeepTheirUsageMessages) {
    struct usage_case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<usage_case> cases = {
        {{"print", "t"}, "brak pliku miesiąca"},
        {{"print"}, "brak szablonu"},
        {{"print", "t", "m.pnk", "--worker", "x"}, "niepoprawny identyfikator pracownika „x”"},
        {{"export", "pdf", "m.pnk", "-o", "x"}, "podaj rodzaj eksportu: xlsx, csv albo ics"},
        {{"export", "xlsx", "m.pnk", "-o"}, "-o wymaga wartości"},
        {{"info", "--group"}, "--group wymaga identyfikatora"},
        {{"info", "a.pnk", "b.pnk"}, "nieoczekiwany argument „b.pnk”"},
        {{"summary", "a.pnk", "--worker"}, "--worker wymaga identyfikatora"},
        {{"show", "a.pnk", "--json"}, "nieznana opcja „--json”"},
        {{"day", "a.pnk"}, "podaj numer dnia"},
        {{"day", "a.pnk", "3", "4"}, "nieoczekiwany argument „4”"},
        {{"schedule", "a.pnk", "--accept", "--discard"}, "podaj --accept albo --discard, nie oba"},
        {{"schedule", "a.pnk", "--seed", "-1"}, "niepoprawne ziarno „-1”"},
        {{"warnings", "--group"}, "--group wymaga identyfikatora"},
        {{"generate", "x", "--workers", "0"}, "--workers wymaga liczby od 1 do 5000"},
        {{"generate", "x", "--from", "2024-13"}, "--from ma postać RRRR-MM"},
        {{"add-duty", "a.pnk", "1", "12", "D", "--start", "25:00"},
         "--start: niepoprawny czas „25:00” (g:mm, najwyżej 24:00)"},
        {{"add-duty", "a.pnk", "1", "12"}, "za mało argumentów"},
        {{"add-dayoff", "a.pnk", "1", "2", "u", "--start", "8:00"}, "nieznana opcja „--start”"},
        {{"remove", "a.pnk", "1", "2", "--duty", "0"}, "niepoprawna pozycja dyżuru „0”"},
        {{"remove", "a.pnk", "1", "2", "3"}, "nieoczekiwany argument „3”"},
    };
    for (const usage_case& c : cases) {
        std::ostringstream out, err;
        std::vector<std::string> args{"--lang", "polski"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(run(args, out, err), kExitUsage) << c.args.front();
        EXPECT_NE(err.str().find(": " + c.message + "\n"), std::string::npos) << err.str();
        EXPECT_NE(err.str().find("użycie: planek-cli " + c.args.front()), std::string::npos) << err.str();
    }
}

}  // namespace
}  // namespace planek::cli
