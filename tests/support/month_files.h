#pragma once
// The month files of a program folder, for the tests that open whatever
// months the demo ward ships.
#include <algorithm>
#include <filesystem>
#include <vector>

namespace planek::test {

// The .pnk files directly in `folder`, in date order (their names are YYYY_MM).
inline std::vector<std::filesystem::path> month_files(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> months;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (e.path().extension() == ".pnk") months.push_back(e.path());
    std::sort(months.begin(), months.end());
    return months;
}

}  // namespace planek::test
