// The libraries of src/ are linked one way only; an include against that
// order links (the static libraries resolve in order) until the day it does
// not, so it is caught here, by reading every source.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>

#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;

// What each library may include besides itself.
const std::map<std::string, std::set<std::string>> kMayInclude = [] {
    std::map<std::string, std::set<std::string>> m;
    m["core"] = {};
    m["settings"] = {"core"};
    m["calendar"] = {"core", "settings"};
    m["editing"] = {"core", "settings", "calendar"};
    m["files"] = {"core", "settings", "calendar", "editing"};
    for (const char* lib : {"store", "scheduler", "printouts", "exports"}) m[lib] = m["files"], m[lib].insert("files");
    m["pdf"] = m["printouts"], m["pdf"].insert("printouts");
    m["document"] = {"core", "settings", "calendar", "editing", "files", "store", "scheduler", "printouts", "exports"};
    m["ui"] = m["document"], m["ui"].insert({"document", "pdf"});
    m["cli"] = m["ui"];
    return m;
}();

// The act protocol is the document's own: the front ends call the acts.
const std::string kActProtocol = "document/act.h";

// Only these are built with Qt.
const std::set<std::string> kQtLibraries = {"ui", "pdf"};

struct include_line {
    std::string target;  // as written: "files/month_file.h" or "QString"
    bool project = false;
    int line = 0;
};

std::vector<include_line> includes_of(const fs::path& file) {
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<include_line> found;
    std::ifstream in(file);
    int n = 0;
    for (std::string line; std::getline(in, line);) {
        ++n;
        std::smatch m;
        if (std::regex_search(line, m, include)) found.push_back({m[2], m[1] == "\"", n});
    }
    return found;
}

bool is_qt(const std::string& header) {
    static const std::regex qt(R"(^(Q[A-Za-z]+|Qt[A-Za-z]*/.*|q[a-z]+\.h)$)");
    return std::regex_match(header, qt);
}

// Every break of the order under `src`, one line each: file, line, what.
class layering_check {
public:
    explicit layering_check(fs::path src) : src_(std::move(src)) {}

    std::vector<std::string> faults() {
        std::vector<std::string> out;
        for (const auto& entry : fs::recursive_directory_iterator(src_)) {
            if (!entry.is_regular_file()) continue;
            const std::string ext = entry.path().extension().string();
            if (ext != ".h" && ext != ".cpp") continue;
            const fs::path rel = fs::relative(entry.path(), src_);
            const std::string lib = rel.begin()->string();
            if (!kMayInclude.count(lib)) continue;
            for (const include_line& inc : includes_of(entry.path())) {
                const std::string where = rel.generic_string() + ":" + std::to_string(inc.line) + ": ";
                if (!inc.project) {
                    if (is_qt(inc.target) && !kQtLibraries.count(lib)) out.push_back(where + "Qt header " + inc.target);
                    continue;
                }
                const std::string to = fs::path(inc.target).begin()->string();
                if (inc.target == kActProtocol && lib != "document") out.push_back(where + lib + " runs the act protocol");
                if (!kMayInclude.count(to) || to == lib) continue;
                if (!kMayInclude.at(lib).count(to)) out.push_back(where + lib + " includes " + inc.target);
                else if (!kQtLibraries.count(lib) && brings_qt(inc.target))
                    out.push_back(where + inc.target + " brings Qt into " + lib);
            }
        }
        return out;
    }

private:
    fs::path src_;
    std::map<std::string, bool> qt_;  // header -> includes Qt, directly or not

    bool brings_qt(const std::string& header) {
        if (auto it = qt_.find(header); it != qt_.end()) return it->second;
        qt_[header] = false;  // an include cycle ends here
        bool qt = false;
        for (const include_line& inc : includes_of(src_ / header))
            if (inc.project ? fs::exists(src_ / inc.target) && brings_qt(inc.target) : is_qt(inc.target)) qt = true;
        return qt_[header] = qt;
    }
};

std::string joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\n";
    return s;
}

TEST(Layering, SourcesIncludeOnlyLowerLibraries) {
    const fs::path src = fs::path(PLANEK_SOURCE_DIR) / "src";
    // Every library folder is known to the order, so a new one cannot slip past.
    for (const auto& entry : fs::directory_iterator(src)) {
        if (!entry.is_directory()) continue;
        EXPECT_TRUE(kMayInclude.count(entry.path().filename().string())) << entry.path();
    }
    const std::vector<std::string> faults = layering_check(src).faults();
    EXPECT_TRUE(faults.empty()) << joined(faults);
}

TEST(Layering, CatchesUpwardAndQtIncludes) {
    test::TempDir dir;
    auto write = [&](const std::string& name, const std::string& text) {
        fs::create_directories((dir / name).parent_path());
        std::ofstream(dir / name) << text;
    };
    write("core/plan.h", "#pragma once\n#include \"core/types.h\"\n");
    write("files/month.cpp", "#include <vector>\n#include \"core/plan.h\"\n\n#include \"scheduler/scheduler.h\"\n");
    write("settings/lang.cpp", "#include <QString>\n");
    write("pdf/doc.h", "#include <QTextDocument>\n");
    write("pdf/pdf.cpp", "#include <QPainter>\n#include \"pdf/doc.h\"\n");
    write("cli/print.cpp", "#include \"pdf/doc.h\"\n#include \"pdf/pdf.h\"\n");
    write("pdf/pdf.h", "#pragma once\n#include <string>\n");
    write("ui/window.cpp", "#include <QWidget>\n#include \"cli/cli.h\"\n");
    write("cli/edit.cpp", "#include \"document/duty_acts.h\"\n#include \"document/act.h\"\n");
    const std::vector<std::string> faults = layering_check(dir.path()).faults();
    const std::set<std::string> got(faults.begin(), faults.end());
    EXPECT_EQ(got, (std::set<std::string>{
                       "files/month.cpp:4: files includes scheduler/scheduler.h",
                       "settings/lang.cpp:1: Qt header QString",
                       "cli/print.cpp:1: pdf/doc.h brings Qt into cli",
                       "ui/window.cpp:2: ui includes cli/cli.h",
                       "cli/edit.cpp:2: cli runs the act protocol",
                   }))
        << joined(faults);
}

}  // namespace
}  // namespace planek
