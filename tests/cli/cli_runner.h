#pragma once
// Runs a built program as a shell user would, with both streams captured.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/temp_dir.h"

#include <sstream>

namespace planek::test {

// The lines of a command's output.
inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

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

// A run of the built planek-cli with what it cost: wall time and the peak
// resident memory of that one process (from wait4, so earlier runs and the
// test itself do not count).
struct measured : result {
    double seconds = 0;
    double peakMegabytes = 0;
};

inline measured run_cli_measured(const TempDir& dir, const std::string& root, std::vector<std::string> args,
                                 const std::string& lang = "polski") {
    std::vector<std::string> all{PLANEK_CLI, "--root", root};
    if (!lang.empty()) all.insert(all.end(), {"--lang", lang});
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string out = (dir / "stdout").string(), err = (dir / "stderr").string();
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("LC_ALL", "C.UTF-8", 1);
        ::setenv("LANG", "C.UTF-8", 1);
        const int in = ::open("/dev/null", O_RDONLY);
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(in, 0);
        ::dup2(o, 1);
        ::dup2(e, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    measured m;
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m.peakMegabytes = double(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
    m.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    m.out = read_file(dir / "stdout");
    m.err = read_file(dir / "stderr");
    return m;
}

}  // namespace planek::test
