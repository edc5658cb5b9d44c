#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "calendar/refresh_hooks.h"
#include "core/cp1250.h"
#include "print_fixture.h"
#include "printouts/generation.h"
#include "printouts/template_file.h"
#include "printouts/template_install.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

const fs::path kShipped = fs::path(PLANEK_SOURCE_DIR) / "templates";

TEST(ShippedTemplates, InstalledOnceAndNeverOverwritten) {
    TempDir dir;
    // A folder of the source tree without data of its own finds the source templates.
    EXPECT_EQ(shipped_template_folder(fs::path(PLANEK_SOURCE_DIR) / "elsewhere" / "x"), kShipped);
    int n = install_templates(kShipped, dir / "templates");
    EXPECT_GE(n, 8);
    test::write_file(dir / "templates" / "grafik_miesieczny.wzr", "edited");
    EXPECT_EQ(install_templates(kShipped, dir / "templates"), 0);
    EXPECT_EQ(test::read_file(dir / "templates" / "grafik_miesieczny.wzr"), "edited");
}

// A ward with a bit of everything: duties of every kind, overtime, leave,
// a day off for a Sunday and a worker of another group.
Plan busy_ward(const fs::path& root) {
    Plan p = test::make_ward();
    p.paths = Paths::local(root);
    for (int d = 0; d < 31; ++d) {
        int w = d % 3;
        test::add_duty(p, w, d, 420, 720, 1);
        test::add_duty(p, (w + 1) % 3, d, 1140, 720, 2);
    }
    test::add_duty(p, 2, 3, 420, 455, 1);
    test::add_duty(p, 2, 10, 840, 300, 1);
    p.workers[0].months[0].duties[3][0].overtime = 90;
    p.workers[1].months[0].duties[6][0].medical = true;
    p.workers[1].months[0].duties[6][0].overtime = 60;
    test::add_day_off(p, 2, 15, 19, 'u');
    test::add_day_off(p, 0, 24, 24, '1');
    test::add_duty(p, 3, 5, 420, 720, 1, 2);
    p.options.user.user_name = "Oddziałowa";
    return p;
}

// The Polish templates and their English versions alike.
TEST(ShippedTemplates, EveryTemplateRendersWithoutEmptyCellsOrLeftovers) {
    TempDir dir;
    Plan probe;
    auto list = ZnajdzPliki(probe, kShipped);
    ASSERT_GE(list.size(), 8u);
    const auto english = ZnajdzPliki(probe, kShipped / "english");
    EXPECT_EQ(english.size(), list.size()) << "every template has its English version";
    list.insert(list.end(), english.begin(), english.end());
    std::set<std::string> types;
    for (const szablon& t : list) {
        Plan p = busy_ward(dir.path());
        gen_result r = generuj(p, t.path);
        ASSERT_TRUE(r.ok) << t.title << ": " << r.error;
        types.insert(t.type);
        std::string text = cp1250_to_utf8(test::read_file(r.file));
        EXPECT_EQ(r.file.parent_path(), p.paths.printouts);
        EXPECT_EQ(text.find("@_"), std::string::npos) << t.title;
        EXPECT_EQ(text.find("\xE2\x80\xB9"), std::string::npos) << t.title;  // no tag left
        EXPECT_EQ(text.find("<_"), std::string::npos) << t.title;
        EXPECT_FALSE(std::regex_search(text, std::regex("<td[^>]*>\\s*</td>"))) << t.title;
        EXPECT_FALSE(std::regex_search(text, std::regex("<th[^>]*>\\s*</th>"))) << t.title;
        if (t.type == "htm") {
            EXPECT_NE(text.find("</html>"), std::string::npos) << t.title;
        }
        if (t.type == "rtf") {
            EXPECT_EQ(text.rfind("{\\rtf1", 0), 0u) << t.title;
        }
        // Every document names the worker, by name or by symbol.
        EXPECT_TRUE(text.find("Kowalska") != std::string::npos || text.find("AK") != std::string::npos) << t.title;
    }
    EXPECT_EQ(types, (std::set<std::string>{"htm", "rtf", "txt"}));
}

// Each shipped template against a fixed ward, byte for byte. Set
// PLANEK_UPDATE_GOLDEN=1 to write the expected files anew after a deliberate
// change of a template.
// The duty and day-off counts were checked by hand against the entries:
// Kowalska 20 duties and 0 days off (her duty of 25.3 lies under the blocking
// day off for Sunday work, a kind that credits nothing), Zając 19 duties and
// 5 days off (the duties of 17, 18 and 20.3 lie under her blocking leave);
// the hours beside them always left those duties out.
TEST(ShippedTemplates, GoldenFiles) {
    TempDir dir;
    Plan probe;
    const fs::path golden = fs::path(PLANEK_SOURCE_DIR) / "tests" / "printouts" / "golden";
    const bool update = std::getenv("PLANEK_UPDATE_GOLDEN") != nullptr;
    for (const szablon& t : ZnajdzPliki(probe, kShipped)) {
        Plan p = busy_ward(dir.path());
        p.listed.pop_back();  // the worker of the other group is not listed
        p.currentWorker = 1;
        call_odswiez_okres(p, false, false, -1);
        gen_result r = generuj(p, t.path);
        ASSERT_TRUE(r.ok) << t.title;
        const std::string bytes = test::read_file(r.file);
        const fs::path expected = golden / r.file.filename();
        if (update) {
            test::write_file(expected, bytes);
            continue;
        }
        ASSERT_TRUE(fs::exists(expected)) << expected;
        EXPECT_EQ(bytes, test::read_file(expected)) << t.title;
    }
}

}  // namespace
}  // namespace planek
