#pragma once
// Runs a built program as a shell user would, with both streams captured.
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace planek::test {

struct result {
    int code = -1;
    std::string out, err;
};

inline std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// `env` goes before the program: variables ("LANG=C ") or an env command.
inline result run_program(const TempDir& dir, const std::string& program, const std::vector<std::string>& args,
                          const std::string& env = "") {
    std::string cmd = env + quote(program);
    for (const auto& a : args) cmd += " " + quote(a);
    cmd += " >" + quote((dir / "stdout").string()) + " 2>" + quote((dir / "stderr").string()) + " </dev/null";
    const int status = std::system(cmd.c_str());
    result r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = read_file(dir / "stdout");
    r.err = read_file(dir / "stderr");
    return r;
}

// The built planek-cli. Without --lang it speaks the locale's language, so
// the locale is fixed: the tests read the same texts on every machine.
inline result run_cli(const TempDir& dir, const std::vector<std::string>& args) {
    return run_program(dir, PLANEK_CLI, args, "LC_ALL=C.UTF-8 LC_MESSAGES=C.UTF-8 LANG=C.UTF-8 ");
}

// planek-cli on the program folder `root`, in `lang` when one is named: the
// tests that assert the Polish messages name it, whatever the machine speaks.
inline result run_cli_on(const TempDir& dir, const std::string& root, std::vector<std::string> args,
                         const std::string& lang = "") {
    std::vector<std::string> lead{"--root", root};
    if (!lang.empty()) lead.insert(lead.end(), {"--lang", lang});
    args.insert(args.begin(), lead.begin(), lead.end());
    return run_cli(dir, args);
}

}  // namespace planek::test
