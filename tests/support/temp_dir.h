#pragma once
#include <filesystem>
#include <string>

namespace planek::test {

// A fresh folder under the system temp folder, removed with its contents.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Writes raw bytes to a file (creating parent folders), for fixtures.
void write_file(const std::filesystem::path& file, const std::string& bytes);
std::string read_file(const std::filesystem::path& file);

}  // namespace planek::test
