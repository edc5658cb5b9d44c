// A staff archive that does not read whole is never read as less, and never
// written over until the user takes a good copy in its place.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>

#include "editing/refusal.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/plan.h"
#include "files/archive.h"
#include "files/staff_group_files.h"
#include "support/hostile_files.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::ScriptedInteraction;
using test::TempDir;
using test::write_file;
using clock_type = std::chrono::steady_clock;

// A ward of 29 workers, each a staff line of the current format.
std::string staff_bytes(int workers, const std::string& surname = "Kowalska") {
    std::string text;
    for (int i = 1; i <= workers; ++i)
        text += utf8_to_cp1250_lossy("p¤" + std::to_string(i) + "¤1¤0¤0¤0¤0¤100¤5¤5¤0¤¤0¤0¤1¤¤" + surname + "¤Anna") +
                "\r\n";
    return text;
}

void age(const fs::path& file, int hours) {
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(hours));
}

std::vector<fs::path> kept_copies(const fs::path& folder, const std::string& prefix) {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().rfind(prefix, 0) == 0) out.push_back(e.path());
    return out;
}

struct DamagedStaff : ::testing::Test {
    TempDir dir;
    Plan plan;
    std::shared_ptr<ScriptedInteraction> ui = std::make_shared<ScriptedInteraction>();
    fs::path data, inr;
    std::string good;

    DamagedStaff() {
        plan.paths = Paths::local(dir.path());
        plan.ui = ui;
        plan.clock = std::make_shared<FixedClock>(2026, 3, 14);
        data = plan.paths.data;
        inr = data / "kadra.inr";
        fs::create_directories(data);
        write_file(data / "grupy.ini", "g\xA4" "1\xA4" "0\r\n");
        good = test::zip_bytes({{"kadra.ini", staff_bytes(29)}});
        // Yesterday's safety copy is good; today's archive is not.
        write_file(data / "kadra.inr.bak", good);
        age(data / "kadra.inr.bak", 20);
    }
    // As a front end does: what loading or saving said reaches the user.
    files_report told(files_report r) const {
        tell_user(*ui, r.said);
        return r;
    }
    std::string said() const {
        std::string all;
        for (const auto& t : ui->all()) all += t + "\n";
        return all;
    }
    // A fresh start of the program on the folder.
    files_report start(damage_policy policy) {
        plan.guards = {};
        plan.guards.damagePolicy = policy;
        return told(wczytaj(plan));
    }
};

TEST_F(DamagedStaff, EachDamageIsRefusedAndTheArchiveStaysAsItWas) {
    struct damage {
        const char* what;
        std::string bytes;
    };
    test::write_zip_with_zeros(dir / "zeros.zip", {}, "kadra.ini", 100ull << 20);
    const std::vector<damage> cases = {
        {"lying size", test::with_halved_sizes(good)},
        {"bad CRC", test::with_changed_data_byte(good)},
        {"bomb", test::with_inflated_size(read_file(dir / "zeros.zip"), 4000)},
        {"huge member", read_file(dir / "zeros.zip")},
        {"no archive at all", "PK\x03\x04 damaged"},
    };
    for (const damage& d : cases) {
        SCOPED_TRACE(d.what);
        for (const fs::path& p : kept_copies(data, "kadra.inr.bad_")) fs::remove(p);
        write_file(inr, d.bytes);
        ui->warnings.clear();
        const auto began = clock_type::now();
        const files_report r = start(damage_policy::ViewOnly);
        EXPECT_LT(std::chrono::duration<double>(clock_type::now() - began).count(), 1.0);
        // The staff of the good copy, all 29 of them, for viewing.
        EXPECT_TRUE(r.ok());
        ASSERT_EQ(plan.workers.size(), 29u);
        EXPECT_EQ(plan.workers[28].surname, "Kowalska");
        EXPECT_NE(said().find("kadra.inr.bak"), std::string::npos) << said();
        EXPECT_NE(said().find("uszkodzone"), std::string::npos) << said();
        EXPECT_TRUE(ui->questions.empty());

        // Every save of the staff is refused with that message, and nothing is
        // written over the damaged file.
        plan.workers[0].surname = "Zmieniona";
        const files_report saved = told(zapisz(plan));
        EXPECT_FALSE(saved.ok());
        EXPECT_EQ(read_file(inr), d.bytes);
        EXPECT_EQ(read_file(data / "kadra.inr.bak"), good);
        // One copy of the damage, and the staff that could not be saved in the dated plain file.
        const std::vector<fs::path> kept = kept_copies(data, "kadra.inr.bad_");
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(read_file(kept[0]), d.bytes);
        EXPECT_FALSE(fs::exists(data / "kadra.ini"));
    }
}

TEST_F(DamagedStaff, TakingTheCopyLetsTheNextSaveReplaceTheArchive) {
    const std::string damaged = test::with_halved_sizes(good);
    write_file(inr, damaged);
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(start(damage_policy::Ask).ok());
    ASSERT_EQ(ui->questions.size(), 1u);
    EXPECT_NE(ui->questions[0].find("kadra.inr.bak"), std::string::npos) << ui->questions[0];
    EXPECT_EQ(plan.workers.size(), 29u);
    EXPECT_EQ(read_file(inr), damaged);  // the answer alone writes nothing
    EXPECT_TRUE(staff_files_behind(plan));  // but the next save, autosave or exit does

    ASSERT_TRUE(zapisz_gdy_zmienione(plan).ok());
    std::string staff;
    ASSERT_TRUE(archive_read_member(inr, "kadra.ini", staff).ok());
    EXPECT_EQ(std::count(staff.begin(), staff.end(), '\n'), 29);
    const std::vector<fs::path> kept = kept_copies(data, "kadra.inr.");
    ASSERT_EQ(kept.size(), 2u);  // the safety copy and the one copy of the damage
    EXPECT_EQ(read_file(data / "kadra.inr.bad_2026-03-14"), damaged);
}

TEST_F(DamagedStaff, AnsweringNoKeepsTheArchiveUntouched) {
    write_file(inr, test::with_changed_data_byte(good));
    ui->answers = {Answer::No};
    ASSERT_TRUE(start(damage_policy::Ask).ok());
    EXPECT_EQ(ui->questions.size(), 1u);
    EXPECT_EQ(plan.workers.size(), 29u);
    EXPECT_FALSE(told(zapisz(plan)).ok());
    EXPECT_EQ(read_file(inr), test::with_changed_data_byte(good));
}

TEST_F(DamagedStaff, TheSameDamageIsKeptOnceHoweverOftenItIsMet) {
    write_file(inr, test::with_halved_sizes(good));
    for (int day = 14; day < 21; ++day) {
        plan.clock = std::make_shared<FixedClock>(2026, 3, day);
        start(damage_policy::ViewOnly);
    }
    EXPECT_EQ(kept_copies(data, "kadra.inr.bad_").size(), 1u);
    // Another damage is another copy.
    write_file(inr, test::with_changed_data_byte(good));
    start(damage_policy::ViewOnly);
    EXPECT_EQ(kept_copies(data, "kadra.inr.bad_").size(), 2u);
}

TEST_F(DamagedStaff, TheNewestGoodCopyIsOffered) {
    write_file(inr, test::with_halved_sizes(good));
    // A backup archive of last week's folder, newer than the damaged safety copy.
    write_file(data / "kadra.inr.bak", test::with_changed_data_byte(good));
    const std::string newer = test::zip_bytes({{"kadra.ini", staff_bytes(30, "Nowak")}});
    fs::create_directories(plan.paths.backup);
    write_file(plan.paths.backup / "backup_2026-03-07.bak",
               test::zip_bytes({{"grupy.ini", "g\xA4" "1\r\n"}, {"kadra.inr", newer}}));
    write_file(plan.paths.backup / "backup_2026-01-07.bak", test::zip_bytes({{"kadra.inr", good}}));
    age(plan.paths.backup / "backup_2026-01-07.bak", 24 * 60);
    write_file(data / "kadra.inr.err", good);
    age(data / "kadra.inr.err", 24 * 30);

    ui->answers = {Answer::Yes};
    ASSERT_TRUE(start(damage_policy::Ask).ok());
    ASSERT_EQ(ui->questions.size(), 1u);
    EXPECT_NE(ui->questions[0].find("backup_2026-03-07.bak"), std::string::npos) << ui->questions[0];
    ASSERT_EQ(plan.workers.size(), 30u);
    EXPECT_EQ(plan.workers[0].surname, "Nowak");
}

TEST_F(DamagedStaff, StaffTooLargeOrLongIsRefusedBeforeItIsParsed) {
    // Small archives holding what no ward has: 20 MB of staff, 300 000 lines.
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"20 MB", std::string(20u << 20, 'x')},
        {"300 000 lines", std::string(300000, '\n')},
    };
    fs::remove(data / "kadra.inr.bak");
    for (const auto& [what, staff] : cases) {
        SCOPED_TRACE(what);
        write_file(inr, test::zip_bytes({{"kadra.ini", staff}}));
        const std::string before = read_file(inr);
        const auto began = clock_type::now();
        const files_report r = start(damage_policy::ViewOnly);
        EXPECT_LT(std::chrono::duration<double>(clock_type::now() - began).count(), 1.0);
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(plan.workers.empty());
        plan.workers.resize(1);
        EXPECT_FALSE(told(zapisz(plan)).ok());
        EXPECT_EQ(read_file(inr), before);
    }
}

TEST_F(DamagedStaff, AReadOnlyStaffOrGroupFileIsRefusedLikeAMonth) {
    write_file(inr, good);
    ASSERT_TRUE(start(damage_policy::Ask).ok());
    for (const fs::path& file : {inr, data / "grupy.ini"}) {
        SCOPED_TRACE(file.filename().string());
        const std::string before = read_file(file);
        ::chmod(file.c_str(), 0444);
        plan.workers[0].surname = "Zmieniona " + file.filename().string();
        ui->warnings.clear();
        const files_report r = told(zapisz(plan));
        ::chmod(file.c_str(), 0644);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(read_file(file), before);
        EXPECT_NE(said().find(file.string()), std::string::npos) << said();
        EXPECT_NE(said().find("tylko do odczytu"), std::string::npos) << said();
    }
}

}  // namespace
}  // namespace planek
