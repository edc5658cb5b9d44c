#pragma once
#include <filesystem>

namespace planek {

// The folders of a program root. Network mode may move templates, printouts
// and the configuration onto a server folder; the data folder stays local.
struct Paths {
    std::filesystem::path root;
    std::filesystem::path data;      // root/dane
    std::filesystem::path config;    // where konfiguracja.ini lives
    std::filesystem::path templates; // root/templates
    std::filesystem::path printouts; // root/wydruki
    std::filesystem::path backup;    // data/backup
    std::filesystem::path lang;      // root/lang

    static Paths local(const std::filesystem::path& root);
};

}  // namespace planek
