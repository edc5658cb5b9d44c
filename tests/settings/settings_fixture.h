#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/cp1250.h"
#include "core/plan.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace planek::test {

// A plan on a fresh program root with a fixed date, messages recorded.
class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() {
        plan.paths = Paths::local(dir.path() / "root");
        plan.clock = std::make_shared<FixedClock>(2026, 3, 15);
        plan.ui = ui;
        plan.options.userSettingsFolder = dir.path() / "user";
    }
    // Writes a file of the program root in Windows-1250.
    void put(const std::string& relative, const std::string& utf8) {
        write_file(plan.paths.root / relative, utf8_to_cp1250_lossy(utf8));
    }
    void putConfig(const std::string& utf8) { put("dane/konfiguracja.ini", utf8); }
    std::string readUtf8(const std::filesystem::path& file) { return cp1250_to_utf8(read_file(file)); }

    TempDir dir;
    Plan plan;
    std::shared_ptr<ScriptedInteraction> ui = std::make_shared<ScriptedInteraction>();
};

}  // namespace planek::test
