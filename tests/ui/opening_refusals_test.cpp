// A month opened every way there is - the window's Open, its Recent list, a
// month tab, planek-cli - meets the same refusal for the same fault: a folder
// without staff, a month of groups the folder does not have, a file that
// cannot be read whole. The window keeps the month it showed.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "core/file_io.h"
#include "document/month_acts.h"
#include "files/month_file.h"
#include "files/recent_files.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string run(const std::string& cmd) {
    std::string out;
    if (FILE* p = ::popen((cmd + " 2>&1").c_str(), "r")) {
        std::array<char, 4096> buf{};
        while (size_t n = std::fread(buf.data(), 1, buf.size(), p)) out.append(buf.data(), n);
        ::pclose(p);
    }
    return out;
}

std::string read_all(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_all(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

// One program folder with a window over it, the months found in it.
struct ward {
    fs::path root;
    roster_document doc;
    std::shared_ptr<ScriptedInteraction> talk = std::make_shared<ScriptedInteraction>();
    std::unique_ptr<ui::MainWindow> window;

    explicit ward(fs::path folder) : root(std::move(folder)) {}

    // A recent project remembered as the program remembers one.
    void remember(const std::string& file) {
        Plan own;
        own.options.userSettingsFolder = root / "user";
        roster_document scratch(std::move(own));
        session_request r;
        r.root = root;
        r.language = "polski";
        ASSERT_TRUE(open_folder(scratch, r).ok());
        Plan p = scratch.copy();
        dopisz_projekt(p, {file});
    }

    void start() {
        doc.set_interaction(talk);
        start_request r;
        r.root = root;
        r.language = "polski";
        r.userSettingsFolder = root / "user";
        ASSERT_TRUE(start_program(doc, r).ok());
        window = std::make_unique<ui::MainWindow>(doc);
        window->onClose = nullptr;
    }

    std::string last_warning() const { return talk->warnings.empty() ? std::string() : talk->warnings.back(); }

    // What the window says to the Open dialog's choice.
    std::string open(const std::string& file) {
        talk->warnings.clear();
        window->chooseOpenFiles = [file] { return std::vector<std::string>{file}; };
        window->action("a_ProjectOpen")->trigger();
        return last_warning();
    }

    // What it says to the first entry of the Recent menu.
    std::string recent() {
        talk->warnings.clear();
        auto* menu = window->findChild<QMenu*>("pm_Recent");
        if (!menu) return "no recent menu";
        emit menu->aboutToShow();
        QAction* first = menu->findChild<QAction*>("pr1");
        if (!first) return "no recent entry";
        first->trigger();
        return last_warning();
    }

    // What it says to a click on the other tab.
    std::string other_tab() {
        talk->warnings.clear();
        window->switchTab(doc.plan().currentMonth == 0 ? 1 : 0);
        return last_warning();
    }

    // What planek-cli says to an edit of the file (a command that writes,
    // as the window's every open may).
    std::string cli(const std::string& file) const {
        const std::string out = run(quote(PLANEK_CLI) + " --root " + quote(root.string()) +
                                    " --lang polski add-duty " + quote(file) + " 1 5 1");
        // The one line of the refusal, without the end of line.
        return out.substr(0, out.find('\n'));
    }
};

class OpeningRefusals : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(PLANEK_CLI)) GTEST_SKIP() << "planek-cli is not built";
        ASSERT_EQ(std::system((quote(PLANEK_CLI) + " demo " + quote((dir / "ward").string()) + " >/dev/null 2>&1").c_str()), 0);
        for (const auto& e : fs::directory_iterator(dir / "ward" / "dane"))
            if (e.path().extension() == ".pnk") months.push_back(e.path().string());
        std::sort(months.begin(), months.end());
        ASSERT_EQ(months.size(), 2u);
    }

    // Every way into `file` of the ward in `root`, the second tab being it.
    void expect_same_refusal(const std::string& bad, const std::string& text) {
        ward w(dir / "ward");
        w.start();
        ASSERT_NO_FATAL_FAILURE();
        // A good month shown, the bad file the last one remembered.
        ASSERT_EQ(w.open(months[0]), "");
        w.remember(bad);
        const std::string shown = w.doc.plan().currentFile;
        EXPECT_EQ(w.open(bad), text) << "Open";
        EXPECT_EQ(w.recent(), text) << "Recent";
        EXPECT_EQ(w.cli(bad), text) << "planek-cli";
        EXPECT_EQ(w.doc.plan().currentFile, shown) << "the month shown stays";
    }

    // What the refusal names as the first problem of a file with text after its seal.
    static std::string after_end(const std::string& file) {
        const std::string bytes = read_all(file);
        const size_t at = bytes.rfind("\r\n[koniec]\r\n");
        const long line = long(std::count(bytes.begin(), bytes.begin() + long(at) + 2, '\n')) + 1;
        return " (wiersz " + std::to_string(line) + " [koniec]: po sekcji [koniec] jest jeszcze tekst)";
    }

    TempDir dir;
    std::vector<std::string> months;
};

TEST_F(OpeningRefusals, AMonthFileThatCannotBeReadWhole) {
    const std::string bad = (dir / "ward" / "dane" / "zepsuty.pnk").string();
    write_all(bad, read_all(months[1]) + "\r\n[dyzury]\r\nto nie jest klucz\r\n");
    const std::string text = "Pliku " + bad + " nie da się wczytać w całości; nic nie zapisano." + after_end(bad);
    expect_same_refusal(bad, text);

    // The same fault in a tab of the open period: the tab is not shown.
    ward w(dir / "ward");
    w.start();
    w.talk->warnings.clear();
    w.window->chooseOpenFiles = [&] { return months; };
    w.window->action("a_ProjectOpen")->trigger();
    ASSERT_EQ(w.doc.plan().openFiles.size(), 2u) << w.last_warning();
    const int shown = w.doc.plan().currentMonth;
    const std::string other = w.doc.plan().openFiles[size_t(shown == 0 ? 1 : 0)];
    write_all(other, read_all(other) + "\r\n[dyzury]\r\nto nie jest klucz\r\n");
    EXPECT_EQ(w.other_tab(), "Pliku " + other + " nie da się wczytać w całości; nic nie zapisano." + after_end(other));
    EXPECT_EQ(w.doc.plan().currentMonth, shown);
}

TEST_F(OpeningRefusals, AMonthOfGroupsTheFolderDoesNotHave) {
    // The demo month with every group renumbered: another ward's month.
    roster_document other;
    session_request r;
    r.root = dir / "ward";
    ASSERT_TRUE(open_folder(other, r).ok());
    open_request o;
    o.months.files = {months[1]};
    ASSERT_TRUE(open_months(other, o).ok());
    Plan foreign = other.copy();
    for (grupa& g : foreign.groups) g.id = word(g.id + 90);
    for (prac& p : foreign.workers)
        for (ms_& m : p.months) {
            for (auto& day : m.duties)
                for (dyzur& d : day) d.groupId = word(d.groupId + 90);
            for (wolne_& off : m.daysOff)
                if (off.groupId) off.groupId = word(off.groupId + 90);
        }
    const std::string bad = (dir / "ward" / "dane" / "obcy.pnk").string();
    std::string bytes;
    ASSERT_TRUE(month_file_bytes(foreign, bad, bytes));
    ASSERT_TRUE(write_bytes(bad, bytes));
    expect_same_refusal(bad, "Plik " + bad + " to miesiąc grup spoza tego folderu.");
}

TEST_F(OpeningRefusals, AFolderWithoutStaff) {
    fs::remove(dir / "ward" / "dane" / "grupy.ini");
    fs::remove(dir / "ward" / "dane" / "kadra.inr");
    ward w(dir / "ward");
    w.remember(months[1]);
    w.start();
    const std::string text = "W folderze " + (dir / "ward" / "dane").string() + " nie ma kadry ani grup.";
    EXPECT_EQ(w.open(months[1]), text);
    EXPECT_EQ(w.recent(), text);
    EXPECT_EQ(w.cli(months[1]), text);
}

}  // namespace
}  // namespace planek::test
