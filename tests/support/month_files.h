#pragma once
// The month files of a program folder, for the tests that open whatever
// months the demo ward ships.
#include <algorithm>
#include <filesystem>
#include <string>
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

// A month file as an older version wrote it: the same text without the end
// section that proves it whole and without its announcement in [info], so a
// test can add lines to it the way a hand or another program would.
inline std::string unsealed(std::string month) {
    const std::string announced = "znacznik_konca=1\r\n";
    if (const size_t at = month.find(announced); at != std::string::npos) month.erase(at, announced.size());
    if (const size_t end = month.rfind("\r\n[koniec]\r\n"); end != std::string::npos) month.erase(end);
    return month;
}

}  // namespace planek::test
