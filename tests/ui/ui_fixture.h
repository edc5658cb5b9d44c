#pragma once
// A demo ward made by planek-cli in a temporary program root, started the
// way the program starts, and a main window over its document.
#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "document/month_acts.h"
#include "files/month_project.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "ui/calendar_view.h"
#include "ui/main_window.h"
#include "ui/plan_dialogs.h"
#include "ui/staff_lists.h"

namespace planek::test {

class DemoWard : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string cmd = std::string("\"") + PLANEK_CLI + "\" demo \"" + root.path().string() + "\" >/dev/null 2>&1";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        doc.set_interaction(talk);
        // As the program's window holds months: by the ward shown.
        doc.set_ward_locks(true);
        start_request request;
        request.root = root.path();
        request.language = "polski";
        request.userSettingsFolder = root / "user";
        ASSERT_TRUE(start_program(doc, request).ok());
        window = std::make_unique<ui::MainWindow>(doc);
        window->onClose = nullptr;
        window->openDutyDialog = [this](const drop_result& r) { dialogs.push_back(r); };
        doc.hooks().project.chooseSaveFile = [this](const std::string&, const std::string& name) {
            return std::optional<std::string>((root / name).string());
        };
        window->resize(1300, 860);
        window->show();
    }
    void TearDown() override {
        window.reset();
    }

    // The demo month files in the data folder, oldest first.
    std::vector<std::string> demoMonths() const {
        std::vector<std::string> files;
        for (const auto& e : std::filesystem::directory_iterator(plan.paths.data))
            if (e.path().extension() == ".pnk") files.push_back(e.path().string());
        std::sort(files.begin(), files.end());
        return files;
    }

    const std::vector<dyzur>& duties(int worker, int dayIndex) const {
        return plan.workers[size_t(worker)].months[size_t(plan.currentMonth)].duties[size_t(dayIndex)];
    }

    int firstListedWorker() const { return window->workerList()->workerAt(0); }

    TempDir root;
    roster_document doc;
    // The tests arrange the ward directly where a file or another program
    // would have brought it; the window under test changes it only through
    // the document's acts.
    Plan& plan = const_cast<Plan&>(doc.plan());
    std::shared_ptr<ScriptedInteraction> talk = std::make_shared<ScriptedInteraction>();
    std::unique_ptr<ui::MainWindow> window;
    std::vector<drop_result> dialogs;
};

}  // namespace planek::test
