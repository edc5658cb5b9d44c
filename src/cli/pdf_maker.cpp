#include "cli/pdf_maker.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/file_io.h"
#include "core/read_bounds.h"
#include "files/program_root.h"

extern char** environ;

namespace planek::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMakerName = "planek-pdf";

bool is_html(const fs::path& printout) {
    std::string ext = printout.extension().string();
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".htm" || ext == ".html";
}

bool is_program(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec) && ::access(p.c_str(), X_OK) == 0;
}

// Everything the program writes on the pipe, until it closes it.
std::string read_all(int fd) {
    std::string out;
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0) {
            out.append(buf, size_t(n));
        } else if (n == 0 || errno != EINTR) {
            return out;
        }
    }
}

// The program's exit status, or -1 when it could not be started or was killed.
int run_maker(const fs::path& maker, const fs::path& printout, bool html, std::string& pdf) {
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, printout.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], 1);
    // Qt's own remarks are no line of ours.
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string title = printout.stem().string();
    std::vector<std::string> args = {maker.string(), html ? "html" : "text", title};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, maker.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    if (spawned != 0) {
        ::close(pipe[0]);
        return -1;
    }
    pdf = read_all(pipe[0]);
    ::close(pipe[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

fs::path pdf_maker() {
    if (const fs::path folder = executable_folder(); !folder.empty()) {
        for (const fs::path& p : {folder / kMakerName, folder.parent_path() / "libexec" / "planek" / kMakerName})
            if (is_program(p)) return p;
    }
    return {};
}

result<> make_pdf(const Plan& plan, const fs::path& printout, const fs::path& pdf) {
    std::string bytes, error;
    // Read here first: a printout that cannot be read is said as every file is.
    if (!read_bytes(printout, bytes, error, kAnyFileBound, &plan.tr))
        return refused(refusal_kind::Io, error, printout.string());
    const fs::path maker = pdf_maker();
    if (maker.empty())
        return refused(refusal_kind::Io,
                       say(plan, "cli_PdfMakerMissing", "Nie ma programu %s, który tworzy PDF; zainstaluj Planek ponownie",
                           {kMakerName}));
    std::string drawn;
    const int status = run_maker(maker, printout, is_html(printout), drawn);
    if (status != 0 || drawn.empty())
        return refused(refusal_kind::Io,
                       say(plan, "cli_PdfFailed", "Nie udało się utworzyć PDF z %s (program %s zakończył się kodem %s)",
                           {printout.string(), maker.string(), std::to_string(status)}),
                       printout.string());
    if (io_result written = write_bytes(pdf, drawn, &plan.tr); !written)
        return refused(refusal_kind::Io, written.error, pdf.string());
    return {};
}

}  // namespace planek::cli
