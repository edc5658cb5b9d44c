// The dialogs in English: a caption that falls back to its built-in Polish
// text shows Polish letters in an English window; times read as times.
#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <filesystem>
#include <vector>

#include "settings/language.h"
#include "ui/dialogs/day_off_dialog.h"
#include "ui/dialogs/duty_dialog.h"
#include "ui/dialogs/group_dialog.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/dialogs/remove_dialogs.h"
#include "ui/dialogs/worker_dialog.h"
#include "ui/dialogs_fixture.h"

namespace planek::test {
namespace {

bool polish_letters(const QString& s) {
    static const QString letters = QString::fromUtf8("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    for (QChar c : s)
        if (letters.contains(c)) return true;
    return false;
}

// Every caption of a dialog a user reads: labels, buttons, frames, tabs,
// column heads and the title.
std::vector<QString> captions(QWidget& d) {
    std::vector<QString> all = {d.windowTitle()};
    for (auto* l : d.findChildren<QLabel*>()) all.push_back(l->text());
    for (auto* b : d.findChildren<QAbstractButton*>()) all.push_back(b->text());
    for (auto* g : d.findChildren<QGroupBox*>()) all.push_back(g->title());
    for (auto* t : d.findChildren<QTabWidget*>())
        for (int i = 0; i < t->count(); ++i) all.push_back(t->tabText(i));
    for (auto* t : d.findChildren<QTableWidget*>())
        for (int c = 0; c < t->columnCount(); ++c)
            if (t->horizontalHeaderItem(c)) all.push_back(t->horizontalHeaderItem(c)->text());
    return all;
}

std::string polish_in(QWidget& d) {
    std::string found;
    for (const QString& s : captions(d))
        if (polish_letters(s)) found += "\n  \"" + s.toStdString() + "\"";
    return found;
}

struct EnglishDialogs : DialogFixture {
    void SetUp() override {
        DialogFixture::SetUp();
        ASSERT_TRUE(load_language_file(plan.tr, std::filesystem::path(PLANEK_SOURCE_DIR) / "lang" / "english.lng"));
    }
};

TEST_F(EnglishDialogs, ShowNoPolishCaption) {
    {
        ui::OptionsDialog d(doc);
        EXPECT_EQ(polish_in(d), "") << "options";
        QLabel* dayStart = nullptr;
        for (auto* l : d.findChildren<QLabel*>())
            if (l->buddy() && l->buddy()->objectName() == "me_NaturalDayBegin") dayStart = l;
        ASSERT_NE(dayStart, nullptr);
        EXPECT_EQ(dayStart->text(), "The working day starts at: ");
        // Midnight is a time, never a bare "0" after the caption.
        EXPECT_EQ(child<QLineEdit>(d, "me_NaturalDayBegin")->text(), "00:00");
    }
    {
        ui::GroupDialog d(doc, true);
        EXPECT_EQ(polish_in(d), "") << "group";
    }
    {
        ui::WorkerDialog d(doc, 0);
        EXPECT_EQ(polish_in(d), "") << "worker";
    }
    {
        dyzur prepared;
        prepared.shift = 1;
        prepared.start = 420;
        prepared.length = 720;
        ui::DutyDialog d(doc, 0, 0, prepared);
        EXPECT_EQ(polish_in(d), "") << "duty";
    }
    {
        ui::DayOffDialog d(doc, 0, 0);
        EXPECT_EQ(polish_in(d), "") << "day off";
    }
    {
        ui::RemoveDialog d(doc, "mi_DutiesRemove_duties");
        EXPECT_EQ(polish_in(d), "") << "remove";
    }
    {
        ui::AboutDialog d(plan);
        EXPECT_EQ(polish_in(d), "") << "about";
    }
}

}  // namespace
}  // namespace planek::test
