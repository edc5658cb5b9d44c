// "planek FILE.pnk", as the desktop runs it: no folder is given, so the
// file's own folder decides which ward's staff and groups it opens with.
#include <gtest/gtest.h>

#include <QLabel>
#include <cstdlib>

#include "files/month_lock.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "ui/app_shell.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

class StartFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string cmd = std::string("\"") + PLANEK_CLI + "\" demo \"" + ward().string() + "\" >/dev/null 2>&1";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        for (const auto& e : fs::directory_iterator(ward() / "dane"))
            if (e.path().extension() == ".pnk" && (month.empty() || e.path() > month)) month = e.path();
        ASSERT_FALSE(month.empty());
    }
    fs::path ward() const { return dir / "oddzial"; }

    struct started {
        std::unique_ptr<Plan> plan = std::make_unique<Plan>();
        std::unique_ptr<ui::MainWindow> window;
        std::vector<fs::path> asked;  // the files askRoot was asked about
        QString norm() const { return window->findChild<QLabel*>("st_Norma")->text(); }
        // The next start of the same month finds it free, as after a close.
        ~started() {
            window.reset();
            release_month_locks(*plan);
        }
    };
    // The start as the program makes it, with `answer` for the folder question.
    std::unique_ptr<started> start(const fs::path& file, std::optional<fs::path> root,
                                   std::optional<fs::path> answer = std::nullopt) {
        auto s = std::make_unique<started>();
        s->plan->ui = std::make_shared<ScriptedInteraction>();
        s->plan->options.userSettingsFolder = dir / "user";
        ui::start_request request;
        request.root = root;
        request.language = "polski";
        request.file = file.string();
        request.askRoot = [&s, answer](const fs::path& f) {
            s->asked.push_back(f);
            return answer;
        };
        EXPECT_EQ(ui::start_program(*s->plan, request), ui::StartOutcome::Started);
        s->window = std::make_unique<ui::MainWindow>(*s->plan);
        s->window->onClose = nullptr;
        return s;
    }

    TempDir dir;
    fs::path month;
};

TEST_F(StartFolder, AFileInADataFolderOpensWithThatFoldersWardAndShowsItsNorm) {
    const auto given = start(month, ward());
    ASSERT_EQ(given->plan->openFiles.size(), 1u);
    const QString norm = given->norm();
    ASSERT_TRUE(norm.contains(" dyż.")) << ui::ss(norm);

    const auto desktop = start(month, std::nullopt);
    EXPECT_EQ(desktop->plan->paths.root, fs::canonical(ward()));
    EXPECT_TRUE(desktop->asked.empty());
    ASSERT_EQ(desktop->plan->openFiles.size(), 1u);
    EXPECT_EQ(fs::path(desktop->plan->openFiles[0]), fs::canonical(month));
    EXPECT_EQ(desktop->norm(), norm);

    // A folder given on the command line is taken as given, wherever the file is.
    const fs::path elsewhere = dir / "inny";
    fs::create_directories(elsewhere);
    EXPECT_EQ(start(month, elsewhere)->plan->paths.root, elsewhere);
}

TEST_F(StartFolder, AFileFromOutsideAnyDataFolderOpensWithTheFolderTheUserChooses) {
    const fs::path mail = dir / "poczta" / month.filename();
    fs::create_directories(mail.parent_path());
    fs::copy_file(month, mail);
    const QString norm = start(month, ward())->norm();

    const auto chosen = start(mail, std::nullopt, ward());
    ASSERT_EQ(chosen->asked.size(), 1u);
    EXPECT_EQ(chosen->asked[0], mail);
    EXPECT_EQ(chosen->plan->paths.root, ward());
    ASSERT_EQ(chosen->plan->openFiles.size(), 1u);
    EXPECT_EQ(fs::path(chosen->plan->openFiles[0]), fs::canonical(mail));
    EXPECT_EQ(chosen->norm(), norm);
    // Nothing was made beside the mailed file.
    EXPECT_FALSE(fs::exists(mail.parent_path() / "dane"));
}

}  // namespace
}  // namespace planek::test
