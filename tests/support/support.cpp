#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace planek::test {

std::vector<std::string> ScriptedInteraction::all() const {
    std::vector<std::string> r = questions;
    r.insert(r.end(), infos.begin(), infos.end());
    r.insert(r.end(), warnings.begin(), warnings.end());
    return r;
}

TempDir::TempDir() {
    std::random_device rd;
    for (;;) {
        path_ = std::filesystem::temp_directory_path() / ("planek-test-" + std::to_string(rd()));
        if (std::filesystem::create_directories(path_)) break;
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

void write_file(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

std::string read_file(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace planek::test
