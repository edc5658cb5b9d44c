// A printout speaks the language of the window: the template list and the
// document in English after the switch, the plan's status and type named as
// the language file names them, and nothing left over from the other one.
#include <QAction>
#include <QListWidget>

#include <regex>

#include "core/cp1250.h"
#include "printouts/template_file.h"
#include "settings/language.h"
#include "settings/options_file.h"
#include "ui/dialogs/templates_dialog.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

namespace fs = std::filesystem;

std::string printed_text(const fs::path& file) {
    const std::string text = std::regex_replace(cp1250_to_utf8(read_file(file)), std::regex("<[^>]*>"), " ");
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

class RosterPrintout : public DemoWard {
protected:
    void SetUp() override {
        DemoWard::SetUp();
        if (HasFatalFailure()) return;
        const std::vector<std::string> files = demoMonths();
        window->chooseOpenFiles = [files] { return std::vector<std::string>{files.back()}; };
        window->action("a_ProjectOpen")->trigger();
    }
    // The titles the templates dialog lists, and the text of the printout
    // made from `file` of the language's templates.
    std::pair<std::vector<std::string>, std::string> print(const std::string& file) {
        plan.lastTemplate = (language_template_folder(plan) / file).string();
        ui::TemplatesDialog d(doc);
        std::vector<std::string> titles;
        for (int r = 0; r < d.list()->count(); ++r) titles.push_back(d.list()->item(r)->text().toStdString());
        fs::path made;
        d.openDocument = [&](const fs::path& f) {
            made = f;
            return true;
        };
        EXPECT_TRUE(d.make());
        return {titles, made.empty() ? std::string() : printed_text(made)};
    }
};

TEST_F(RosterPrintout, InEnglishTheTemplatesAndTheRosterSpeakEnglishOnly) {
    ASSERT_TRUE(cb_LanguageChange(plan, language_index("english")));
    window->applyLanguage();
    const auto [titles, text] = print("monthly_roster.wzr");
    ASSERT_GE(titles.size(), 8u);
    EXPECT_NE(std::find(titles.begin(), titles.end(), "Monthly roster of the group (HTML)"), titles.end());
    for (const std::string& t : titles)
        EXPECT_EQ(t.find_first_of("ąćęłńóśźż"), std::string::npos) << t;
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.find("plan planned, not approved"), std::string::npos) << text.substr(0, 400);
    EXPECT_NE(text.find("norm of the month"), std::string::npos);
    for (const char* polish : {"normatyw", "planowany", "niezatwierdzony", "Grafik", "Pracownik", "Sporządził"})
        EXPECT_EQ(text.find(polish), std::string::npos) << polish;
}

TEST_F(RosterPrintout, InPolishTheShippedTemplatesStayAsTheyWere) {
    const auto [titles, text] = print("grafik_miesieczny.wzr");
    EXPECT_NE(std::find(titles.begin(), titles.end(), "Grafik miesięczny grupy (HTML)"), titles.end());
    EXPECT_EQ(std::find(titles.begin(), titles.end(), "Monthly roster of the group (HTML)"), titles.end());
    EXPECT_NE(text.find("plan planowany, niezatwierdzony"), std::string::npos) << text.substr(0, 400);
}

}  // namespace
}  // namespace planek::test
