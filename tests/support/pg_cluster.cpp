#include "support/pg_cluster.h"

#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <random>

#include "support/cli_quote.h"

namespace planek::test {

namespace fs = std::filesystem;

namespace {

pg_cluster* the_cluster = nullptr;

// The newest installed server: /usr/lib/postgresql/<version>/bin.
fs::path server_programs() {
    fs::path best;
    int bestVersion = -1;
    std::error_code ec;
    for (fs::directory_iterator it("/usr/lib/postgresql", ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path bin = it->path() / "bin";
        if (!fs::exists(bin / "initdb") || !fs::exists(bin / "pg_ctl")) continue;
        const int v = std::atoi(it->path().filename().c_str());
        if (v > bestVersion) bestVersion = v, best = bin;
    }
    return best;
}

// A port no one listens on now; the socket lives in the cluster's own
// folder, so a clash could only be with a server of that same folder.
int free_port() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (s >= 0 && ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    if (s >= 0) ::close(s);
    return port ? port : 55432;
}

}  // namespace

pg_cluster& pg_cluster::running() { return *the_cluster; }

std::string pg_cluster::run(const std::string& command) const {
    // The server refuses to run as root: as root, its programs run as postgres.
    const std::string full = (asRoot_ ? "runuser -u postgres -- env " : "env ") + command + " 2>&1";
    std::string out;
    if (FILE* p = ::popen(full.c_str(), "r")) {
        char buf[512];
        while (size_t n = std::fread(buf, 1, sizeof buf, p)) out.append(buf, n);
        if (::pclose(p) == 0) return {};
    }
    return out.empty() ? "failed: " + full : out;
}

void pg_cluster::SetUp() {
    the_cluster = this;
    bin_ = server_programs();
    ASSERT_FALSE(bin_.empty()) << "The store's tests need the PostgreSQL server programs (initdb, pg_ctl) under "
                                  "/usr/lib/postgresql/*/bin: install the Debian package postgresql "
                                  "(scripts/install-deps.sh does).";
    asRoot_ = ::geteuid() == 0;
    if (asRoot_) {
        ASSERT_NE(::getpwnam("postgres"), nullptr) << "Run as root, the tests start the server as the user postgres, "
                                                      "which the package postgresql makes; it is missing.";
    }
    std::random_device rd;
    base_ = fs::temp_directory_path() / ("planek-pg-" + std::to_string(rd()));
    data_ = base_ / "cluster";
    fs::create_directories(data_);
    if (asRoot_) {
        const passwd* pg = ::getpwnam("postgres");
        ASSERT_EQ(::chown(base_.c_str(), pg->pw_uid, pg->pw_gid), 0);
        ASSERT_EQ(::chown(data_.c_str(), pg->pw_uid, pg->pw_gid), 0);
    }
    fs::permissions(data_, fs::perms::owner_all, fs::perm_options::replace);
    port_ = free_port();
    const std::string initdb = "LANG=C.UTF-8 " + shell_quote((bin_ / "initdb").string()) + " -D " +
                               shell_quote(data_.string()) +
                               " --auth=trust -E UTF8 --locale=C.UTF-8 --username=planek --no-sync -N";
    const std::string made = run(initdb);
    ASSERT_TRUE(made.empty()) << "initdb failed: " << made;
    const std::string options = "-c listen_addresses='' -c unix_socket_directories=" + data_.string() +
                                " -p " + std::to_string(port_) + " -c fsync=off";
    const std::string start = shell_quote((bin_ / "pg_ctl").string()) + " -D " + shell_quote(data_.string()) +
                              " -l " + shell_quote((base_ / "server.log").string()) + " -w -o " +
                              shell_quote(options) + " start";
    const std::string started = run(start);
    ASSERT_TRUE(started.empty()) << "pg_ctl start failed: " << started;
    started_ = true;
}

void pg_cluster::TearDown() {
    if (started_)
        (void)run(shell_quote((bin_ / "pg_ctl").string()) + " -D " + shell_quote(data_.string()) + " -m fast -w stop");
    std::error_code ec;
    if (!base_.empty()) fs::remove_all(base_, ec);
    the_cluster = nullptr;
}

std::string pg_cluster::url(const std::string& database) const {
    return "host=" + data_.string() + " port=" + std::to_string(port_) + " user=planek dbname=" + database;
}

std::string pg_cluster::fresh_database() {
    const std::string name = "planek_" + std::to_string(++databases_);
    const std::string made = run(shell_quote((bin_ / "createdb").string()) + " -h " + shell_quote(data_.string()) +
                                 " -p " + std::to_string(port_) + " -U planek " + name);
    EXPECT_TRUE(made.empty()) << "createdb failed: " << made;
    return url(name);
}

}  // namespace planek::test
