#include <gtest/gtest.h>

#include <unistd.h>

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/plan.h"
#include "core/text.h"
#include "files/archive.h"
#include "editing/refusal.h"
#include "files/staff_group_files.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::ScriptedInteraction;
using test::TempDir;
using test::write_file;

const std::string S = "\xA4";  // the field separator as stored (Windows-1250)

// As a front end does: what loading or saving said reaches the user.
files_report told(files_report r, const Plan& p) {
    tell_user(*p.ui, r.said);
    return r;
}

struct StaffFiles : ::testing::Test {
    TempDir dir;
    Plan plan;
    std::shared_ptr<ScriptedInteraction> ui = std::make_shared<ScriptedInteraction>();
    fs::path data;

    StaffFiles() {
        plan.paths = Paths::local(dir.path());
        plan.ui = ui;
        plan.clock = std::make_shared<FixedClock>(2026, 3, 14);
        data = plan.paths.data;
        fs::create_directories(data);
    }
    // Stores staff lines (UTF-8, "¤" separated) the way the program does.
    void write_staff(const std::vector<std::string>& lines, const fs::path& archive) {
        std::string bytes;
        for (const auto& l : lines) bytes += utf8_to_cp1250_lossy(l) + "\r\n";
        ASSERT_TRUE(archive_pack_members({{"kadra.ini", bytes}}, archive));
    }
    std::string staff_text(const fs::path& archive) {
        std::vector<archive_member> m;
        EXPECT_TRUE(archive_read(archive, m));
        return m.size() == 1 ? cp1250_to_utf8(m[0].bytes) : "";
    }
    std::string warnings() const {
        std::string all;
        for (const auto& w : ui->warnings) all += w + "\n";
        return all;
    }
};

grupa full_group() {
    grupa g;
    g.algorithm = 2;
    g.residueDistribution = 1;
    g.nick = "ChŻ";
    g.name = "Oddział Chirurgii Żółć";
    g.old = true;
    g.resetBeforeAutomat = true;
    g.dayOffForHolidayWorkDistribution = false;
    g.id = 7;
    g.dailyNorm = 455;
    g.saturdayHoliday = true;
    g.dayOffForSaturdayHoliday = true;
    g.nightOnHolidayAsHoliday = true;
    g.noHolidays = true;
    g.autoStaffN = 3;
    g.autoStaffH = 4;
    g.dailyNormDefault = 480;
    g.saturdayHolidayDefault = true;
    g.dayOffForSaturdayHolidayDefault = true;
    g.nightOnHolidayAsHolidayDefault = true;
    g.noHolidaysDefault = true;
    g.color = rgb(1, 2, 3);
    for (int i = 0; i < 3; ++i) {
        zmiana_ z;
        z.start = word(360 + i * 480);
        z.length = 480;
        z.color = i == 0 ? rgb(255, 255, 255) : rgb(10, 20, 30 + i);
        z.symbol = "Ś" + std::to_string(i);
        z.name = "zmiana ąę " + std::to_string(i);
        z.staffMin = byte(3 + i);
        z.staffMinS = byte(1 + i);
        g.shifts.push_back(z);
    }
    return g;
}

prac full_worker() {
    prac w;
    w.nick = "ŁŻ";
    w.color = rgb(200, 100, 50);
    w.groups = "7|9|";
    w.firstName = "Łucja";
    w.surname = "Źdźbło-Wąż";
    w.address = "ul. Świętokrzyska 5";
    w.postOffice = "Łódź";
    w.zipCode = "90-001";
    w.phone = "+48 600 000 000";
    w.email = "lucja@example.pl";
    w.occupation = "pielęgniarka";
    w.pesel = "85010112345";
    w.education = "wyższe";
    w.courses = "specjalizacja";
    w.user1 = "u1";
    w.user2 = "u2";
    w.user3 = "u3";
    w.systemPattern = "1200";
    w.systemPattern8 = "1123";
    w.automatDays = "1010100";
    w.holidayCurrentYear = 11830;
    w.holidayPreviousYear = 455;
    w.id = 42;
    w.groupId = 3;
    w.automatFromHour = 420;
    w.careDays = 2;
    w.prefDayNight = 6;
    w.prefNormalHoliday = 1;
    w.rehaDays = 10;
    w.systemStartFrom = 3;
    w.systemStartFrom8 = 2;
    w.employmentFrom = 4;
    w.careDaysMode = 1;
    w.old = true;
    w.prefAuto8 = true;
    w.prefWithoutAuto = true;
    w.prefSystem = true;
    w.systemAsWeek = true;
    w.auto8ConstStart = true;
    w.autoConstStart = true;
    w.automatFromHourOn = true;
    w.ownNormDefault = true;
    w.ownNormCalculatedDefault = true;
    w.partTimeDefault = 87.5;
    w.ownNormValueDefault = -125;
    return w;
}

void expect_same_shift(const zmiana_& a, const zmiana_& b) {
    EXPECT_EQ(a.start, b.start);
    EXPECT_EQ(a.length, b.length);
    EXPECT_EQ(a.color, b.color);
    EXPECT_EQ(a.symbol, b.symbol);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.staffMin, b.staffMin);
    EXPECT_EQ(a.staffMinS, b.staffMinS);
}

void expect_same_group(const grupa& a, const grupa& b) {
    EXPECT_EQ(a.algorithm, b.algorithm);
    EXPECT_EQ(a.residueDistribution, b.residueDistribution);
    EXPECT_EQ(a.nick, b.nick);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.old, b.old);
    EXPECT_EQ(a.resetBeforeAutomat, b.resetBeforeAutomat);
    EXPECT_EQ(a.dayOffForHolidayWorkDistribution, b.dayOffForHolidayWorkDistribution);
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.dailyNorm, b.dailyNorm);
    EXPECT_EQ(a.saturdayHoliday, b.saturdayHoliday);
    EXPECT_EQ(a.dayOffForSaturdayHoliday, b.dayOffForSaturdayHoliday);
    EXPECT_EQ(a.nightOnHolidayAsHoliday, b.nightOnHolidayAsHoliday);
    EXPECT_EQ(a.noHolidays, b.noHolidays);
    EXPECT_EQ(a.autoStaffN, b.autoStaffN);
    EXPECT_EQ(a.autoStaffH, b.autoStaffH);
    EXPECT_EQ(a.dailyNormDefault, b.dailyNormDefault);
    EXPECT_EQ(a.saturdayHolidayDefault, b.saturdayHolidayDefault);
    EXPECT_EQ(a.dayOffForSaturdayHolidayDefault, b.dayOffForSaturdayHolidayDefault);
    EXPECT_EQ(a.nightOnHolidayAsHolidayDefault, b.nightOnHolidayAsHolidayDefault);
    EXPECT_EQ(a.noHolidaysDefault, b.noHolidaysDefault);
    EXPECT_EQ(a.color, b.color);
    ASSERT_EQ(a.shifts.size(), b.shifts.size());
    for (size_t i = 0; i < a.shifts.size(); ++i) expect_same_shift(a.shifts[i], b.shifts[i]);
}

void expect_same_worker(const prac& a, const prac& b) {
    EXPECT_EQ(a.nick, b.nick);
    EXPECT_EQ(a.color, b.color);
    EXPECT_EQ(a.groups, b.groups);
    EXPECT_EQ(a.firstName, b.firstName);
    EXPECT_EQ(a.surname, b.surname);
    EXPECT_EQ(a.address, b.address);
    EXPECT_EQ(a.postOffice, b.postOffice);
    EXPECT_EQ(a.zipCode, b.zipCode);
    EXPECT_EQ(a.phone, b.phone);
    EXPECT_EQ(a.email, b.email);
    EXPECT_EQ(a.occupation, b.occupation);
    EXPECT_EQ(a.pesel, b.pesel);
    EXPECT_EQ(a.education, b.education);
    EXPECT_EQ(a.courses, b.courses);
    EXPECT_EQ(a.user1, b.user1);
    EXPECT_EQ(a.user2, b.user2);
    EXPECT_EQ(a.user3, b.user3);
    EXPECT_EQ(a.systemPattern, b.systemPattern);
    EXPECT_EQ(a.systemPattern8, b.systemPattern8);
    EXPECT_EQ(a.automatDays, b.automatDays);
    EXPECT_EQ(a.holidayCurrentYear, b.holidayCurrentYear);
    EXPECT_EQ(a.holidayPreviousYear, b.holidayPreviousYear);
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.groupId, b.groupId);
    EXPECT_EQ(a.automatFromHour, b.automatFromHour);
    EXPECT_EQ(a.careDays, b.careDays);
    EXPECT_EQ(a.prefDayNight, b.prefDayNight);
    EXPECT_EQ(a.prefNormalHoliday, b.prefNormalHoliday);
    EXPECT_EQ(a.rehaDays, b.rehaDays);
    EXPECT_EQ(a.systemStartFrom, b.systemStartFrom);
    EXPECT_EQ(a.systemStartFrom8, b.systemStartFrom8);
    EXPECT_EQ(a.employmentFrom, b.employmentFrom);
    EXPECT_EQ(a.careDaysMode, b.careDaysMode);
    EXPECT_EQ(a.old, b.old);
    EXPECT_EQ(a.prefAuto8, b.prefAuto8);
    EXPECT_EQ(a.prefWithoutAuto, b.prefWithoutAuto);
    EXPECT_EQ(a.prefSystem, b.prefSystem);
    EXPECT_EQ(a.systemAsWeek, b.systemAsWeek);
    EXPECT_EQ(a.auto8ConstStart, b.auto8ConstStart);
    EXPECT_EQ(a.autoConstStart, b.autoConstStart);
    EXPECT_EQ(a.automatFromHourOn, b.automatFromHourOn);
    EXPECT_EQ(a.ownNormDefault, b.ownNormDefault);
    EXPECT_EQ(a.ownNormCalculatedDefault, b.ownNormCalculatedDefault);
    EXPECT_DOUBLE_EQ(a.partTimeDefault, b.partTimeDefault);
    EXPECT_EQ(a.ownNormValueDefault, b.ownNormValueDefault);
}

TEST_F(StaffFiles, EveryFieldSurvivesSaveAndLoad) {
    plan.groups = {full_group(), grupa{}};
    plan.groups[1].id = 8;
    plan.groups[1].name = "Blok Porodowy";
    prac second;
    second.id = 43;
    second.surname = "Nowak";
    // Overdrawn balances are stored and read back as the negative values they are.
    second.holidayCurrentYear = -35;
    second.holidayPreviousYear = -455;
    second.careDays = -1;
    second.rehaDays = -2;
    plan.workers = {full_worker(), second};

    files_report saved = told(zapisz(plan), plan);
    ASSERT_TRUE(saved.ok()) << warnings();
    EXPECT_TRUE(ui->warnings.empty()) << warnings();
    EXPECT_TRUE(fs::exists(data / "grupy.ini"));
    EXPECT_TRUE(fs::exists(data / "kadra.inr"));
    EXPECT_FALSE(fs::exists(data / "kadra.ini"));

    Plan loaded;
    loaded.paths = plan.paths;
    loaded.ui = ui;
    ASSERT_TRUE(told(wczytaj(loaded), loaded).ok()) << warnings();
    EXPECT_TRUE(ui->warnings.empty()) << warnings();
    ASSERT_EQ(loaded.groups.size(), 2u);
    expect_same_group(loaded.groups[0], plan.groups[0]);
    expect_same_group(loaded.groups[1], plan.groups[1]);
    ASSERT_EQ(loaded.workers.size(), 2u);
    expect_same_worker(loaded.workers[0], plan.workers[0]);
    expect_same_worker(loaded.workers[1], plan.workers[1]);
    EXPECT_EQ(loaded.workerIds, (std::vector<std::string>{"42", "43"}));
    EXPECT_FALSE(fs::exists(data / "kadra.ini"));
    EXPECT_TRUE(fs::exists(data / "kadra.inr.bak"));
    EXPECT_TRUE(fs::exists(data / "grupy.ini.err"));
}

TEST_F(StaffFiles, StoredLayoutOfBothFiles) {
    plan.groups = {full_group()};
    plan.groups[0].shifts.resize(1);
    plan.workers = {full_worker()};
    ASSERT_TRUE(told(zapisz(plan), plan).ok());
    EXPECT_EQ(read_file(data / "grupy.ini"),
              utf8_to_cp1250_lossy("g¤7¤1¤3¤4¤1¤455¤1¤1¤1¤1¤Oddział Chirurgii Żółć¤$00030201¤2¤1¤480¤1¤1¤1¤1¤0¤ChŻ¤0\r\n"
                                   "z¤360¤480¤0¤3¤1¤clWhite¤Ś0¤zmiana ąę 0\r\n"));
    std::vector<std::string> fields = split_fields(trim(staff_text(data / "kadra.inr")));
    ASSERT_EQ(fields.size(), 46u);
    EXPECT_EQ(fields[0], "p");
    EXPECT_EQ(fields[1], "42");
    EXPECT_EQ(fields[7], "87,5");
    EXPECT_EQ(fields[16], "Źdźbło-Wąż");
    EXPECT_EQ(fields[30], "ŁŻ");
    EXPECT_EQ(fields[33], "7|9|");
    EXPECT_EQ(fields[45], "-125");
}

TEST_F(StaffFiles, GroupLinesAndShiftsInOrder) {
    write_file(data / "grupy.ini", utf8_to_cp1250_lossy("g¤1¤0¤0¤0¤0¤455¤0¤0¤0¤0¤A¤clWhite\r\n"
                                                        "z¤420¤720¤0¤2¤1¤clWhite¤D¤Dzień\r\n"
                                                        "  \r\n"
                                                        "z¤1140¤720\r\n"
                                                        "z¤¤¤0¤¤¤¤N\r\n"
                                                        "g¤2¤0¤0¤0¤0¤480¤0¤0¤0¤0¤B¤clRed¤¤¤¤¤¤¤¤¤LONGNICK\r\n"));
    ASSERT_TRUE(told(wczytaj(plan), plan).ok());
    ASSERT_EQ(plan.groups.size(), 2u);
    const grupa& a = plan.groups[0];
    ASSERT_EQ(a.shifts.size(), 3u);
    EXPECT_EQ(a.shifts[0].name, "Dzień");
    EXPECT_EQ(a.shifts[1].start, 1140);
    EXPECT_EQ(a.shifts[1].symbol, "");
    EXPECT_EQ(a.shifts[2].start, 0);
    EXPECT_EQ(a.shifts[2].symbol, "N");
    // Fields a short "g" line lacks take their defaults.
    EXPECT_EQ(a.algorithm, 0);
    EXPECT_TRUE(a.dayOffForHolidayWorkDistribution);
    EXPECT_EQ(a.nick, "");
    const grupa& b = plan.groups[1];
    EXPECT_TRUE(b.shifts.empty());
    EXPECT_EQ(b.nick, "LON");
    EXPECT_TRUE(b.dayOffForHolidayWorkDistribution);
    EXPECT_TRUE(ui->warnings.empty()) << warnings();
}

TEST_F(StaffFiles, AGroupSymbolIsCutToThreeCharactersAndSavedSo) {
    auto line = [](const std::string& id, const std::string& nick) {
        return "g¤" + id + "¤0¤0¤0¤0¤455¤0¤0¤0¤0¤Grupa " + id + "¤clWhite¤0¤0¤455¤0¤0¤0¤0¤1¤" + nick + "¤0\r\n";
    };
    write_file(data / "grupy.ini", utf8_to_cp1250_lossy(line("1", "STAR") + line("2", "ŻÓŁW")));
    ASSERT_TRUE(wczytaj(plan).ok()) << warnings();
    ASSERT_EQ(plan.groups.size(), 2u);
    EXPECT_EQ(plan.groups[0].nick, "STA");
    EXPECT_EQ(plan.groups[1].nick, "ŻÓŁ");  // characters, not bytes
    ASSERT_TRUE(zapisz(plan).ok()) << warnings();
    EXPECT_EQ(read_file(data / "grupy.ini"), utf8_to_cp1250_lossy(line("1", "STA") + line("2", "ŻÓŁ")));
}

TEST_F(StaffFiles, OlderStaffLinesGetTheirDefaults) {
    // 32 fields: the layout before multiple groups and the 8-hour settings.
    std::string old32 = "p¤5¤3";
    for (int i = 3; i <= 15; ++i) old32 += "¤" + std::string(i == 7 ? "87,5" : "1");
    old32 += "¤Kowalska¤Anna";
    for (int i = 18; i <= 29; ++i) old32 += "¤";
    old32 += "¤AKo¤clYellow¤0";
    ASSERT_EQ(split_fields(old32).size(), 33u);
    write_staff({old32, "p¤6¤0¤0¤0¤0¤0¤87.5", "p¤7¤2¤0¤0¤0¤0¤¤0¤0¤0¤¤0¤0¤0¤¤Nowak¤Jan" + std::string(13, ' ') +
                                                   "¤¤¤¤¤¤¤¤¤¤¤¤¤¤¤¤2|5"},
                data / "kadra.inr");
    ASSERT_TRUE(told(wczytaj(plan), plan).ok()) << warnings();
    ASSERT_EQ(plan.workers.size(), 3u);
    const prac& w = plan.workers[0];
    EXPECT_EQ(w.surname, "Kowalska");
    EXPECT_DOUBLE_EQ(w.partTimeDefault, 87.5);
    EXPECT_EQ(w.automatDays, "1111100");
    EXPECT_EQ(w.systemStartFrom8, 1);
    EXPECT_EQ(w.groups, "3|");
    EXPECT_FALSE(w.systemAsWeek);
    EXPECT_EQ(w.ownNormValueDefault, 0);
    EXPECT_EQ(w.color, rgb(255, 255, 0));
    EXPECT_DOUBLE_EQ(plan.workers[1].partTimeDefault, 87.5);
    EXPECT_EQ(plan.workers[1].groups, "");  // group 0 is no group
    EXPECT_DOUBLE_EQ(plan.workers[2].partTimeDefault, 100);
    EXPECT_EQ(plan.workers[2].groups, "2|5|");
    EXPECT_TRUE(ui->warnings.empty()) << warnings();
}

TEST_F(StaffFiles, GroupsComeFromTheSafetyCopiesWhenTheFileIsMissingOrEmpty) {
    write_file(data / "grupy.ini.bak", "g\xA4" "1\xA4" "0\r\n");
    write_file(data / "grupy.ini.err", "g\xA4" "2\xA4" "0\r\n");
    ASSERT_TRUE(told(wczytaj(plan), plan).ok());
    ASSERT_EQ(plan.groups.size(), 1u);
    EXPECT_EQ(plan.groups[0].id, 1);
    EXPECT_NE(warnings().find("grupy.ini.bak"), std::string::npos);

    fs::remove(data / "grupy.ini.bak");
    write_file(data / "grupy.ini", "\r\n  \r\n");
    ASSERT_TRUE(told(wczytaj(plan), plan).ok());
    ASSERT_EQ(plan.groups.size(), 1u);
    EXPECT_EQ(plan.groups[0].id, 2);
    // The empty file did not replace the good copy.
    EXPECT_EQ(read_file(data / "grupy.ini.err"), "g\xA4" "2\xA4" "0\r\n");
    EXPECT_NE(warnings().find("grupy.ini jest pusty"), std::string::npos) << warnings();

    // A group file that cannot be read is passed over the same way.
    fs::remove(data / "grupy.ini");
    fs::create_directories(data / "grupy.ini");
    ASSERT_TRUE(told(wczytaj(plan), plan).ok());
    ASSERT_EQ(plan.groups.size(), 1u);
    EXPECT_EQ(plan.groups[0].id, 2);
}

TEST_F(StaffFiles, PlainStaffFileNeverStaysOnDisk) {
    // An older version left the plain file and no archive: it is packed
    // before it goes, so nothing depends on the next save.
    write_file(data / "kadra.ini", utf8_to_cp1250_lossy("p¤1¤0¤0¤0¤0¤0¤100¤5¤5¤0¤¤0¤0¤1¤¤Wiśniewska¤Ewa\r\n"));
    write_file(data / "kadra.ini.bak", "old copy");
    ASSERT_TRUE(told(wczytaj(plan), plan).ok()) << warnings();
    ASSERT_EQ(plan.workers.size(), 1u);
    EXPECT_EQ(plan.workers[0].surname, "Wiśniewska");
    EXPECT_FALSE(fs::exists(data / "kadra.ini"));
    ASSERT_TRUE(fs::exists(data / "kadra.inr"));
    EXPECT_NE(staff_text(data / "kadra.inr").find("Wiśniewska"), std::string::npos);

    // Reading the archive finishes the move: the old plain copies go.
    Plan again;
    again.paths = plan.paths;
    ASSERT_TRUE(told(wczytaj(again), again).ok());
    EXPECT_EQ(again.workers.size(), 1u);
    EXPECT_FALSE(fs::exists(data / "kadra.ini.bak"));
    EXPECT_FALSE(fs::exists(data / "kadra.ini"));
}

TEST_F(StaffFiles, TheArchivePackedFromThePlainFileCountsAsRead) {
    const std::string ewa = "p¤1¤0¤0¤0¤0¤0¤100¤5¤5¤0¤¤0¤0¤1¤¤Wiśniewska¤Ewa\r\n";
    write_file(data / "kadra.ini", utf8_to_cp1250_lossy(ewa));
    ASSERT_TRUE(wczytaj(plan).ok()) << warnings();
    ASSERT_EQ(plan.workers.size(), 1u);
    // The first save after the move writes without a conflict question.
    plan.workers[0].phone = "600100200";
    ASSERT_TRUE(zapisz(plan).ok()) << warnings();
    EXPECT_TRUE(ui->questions.empty()) << ui->questions.front();
    EXPECT_TRUE(ui->warnings.empty()) << warnings();
    EXPECT_NE(staff_text(data / "kadra.inr").find("600100200"), std::string::npos);

    // A write by somebody else after the move is still seen.
    Plan other;
    other.paths = plan.paths;
    other.ui = ui;
    write_file(data / "kadra.ini", utf8_to_cp1250_lossy(ewa));
    fs::remove(data / "kadra.inr");
    ASSERT_TRUE(wczytaj(other).ok());
    write_staff({"p¤1¤0¤0¤0¤0¤0¤100¤5¤5¤0¤¤0¤0¤1¤¤Nowak¤Anna"}, data / "kadra.inr");
    other.workers[0].phone = "700";
    // Seen, and merged onto: the other's surname and this program's phone.
    EXPECT_TRUE(zapisz(other).ok());
    EXPECT_TRUE(ui->questions.empty());
    EXPECT_NE(staff_text(data / "kadra.inr").find("Nowak"), std::string::npos);
    EXPECT_NE(staff_text(data / "kadra.inr").find("700"), std::string::npos);
}

TEST_F(StaffFiles, PlainLeftoverBesideTheArchive) {
    write_staff({"p¤1¤0¤0¤0¤0¤0¤100¤5¤5¤0¤¤0¤0¤1¤¤Archiwalna"}, data / "kadra.inr");
    write_file(data / "kadra.ini", "p\xA4" "9\xA4" "0\r\n");
    ASSERT_TRUE(told(wczytaj(plan), plan).ok());
    ASSERT_EQ(plan.workers.size(), 1u);
    EXPECT_EQ(plan.workers[0].surname, "Archiwalna");
    EXPECT_FALSE(fs::exists(data / "kadra.ini"));
    EXPECT_EQ(read_file(data / "kadra.ini.error_2026-03-14"), "p\xA4" "9\xA4" "0\r\n");
}

TEST_F(StaffFiles, EmptyTablesLeaveTheOldFiles) {
    plan.groups = {full_group()};
    plan.workers = {full_worker()};
    ASSERT_TRUE(told(zapisz(plan), plan).ok());
    const std::string groups = read_file(data / "grupy.ini");
    const std::string staff = read_file(data / "kadra.inr");
    plan.workers.clear();
    plan.groups.clear();
    ASSERT_TRUE(told(zapisz(plan), plan).ok());
    EXPECT_EQ(read_file(data / "kadra.inr"), staff);
    EXPECT_EQ(read_file(data / "grupy.ini"), groups);
}

TEST_F(StaffFiles, MalformedNumbersAreReportedAndNothingIsLost) {
    write_file(data / "grupy.ini", utf8_to_cp1250_lossy("g¤1¤0¤0¤0¤0¤4x5¤0¤0¤0¤0¤Chirurgia¤clWhite\r\n"
                                                        "z¤420¤720¤0¤300¤1¤clWhite¤D¤Dzień\r\n"
                                                        "z¤1140¤720¤0¤2¤1¤notacolour¤N¤Noc\r\n"));
    write_staff({"p¤1¤0¤26¤0¤0¤0¤100¤5¤5¤0¤¤0¤0¤1¤¤Kowalska¤Anna",
                 "p¤2¤0¤abc¤0¤0¤0¤sto¤5¤5¤0¤¤0¤0¤1¤¤Nowak¤Jan",
                 "p¤3¤0¤99999999999¤0¤0¤0¤100¤5¤5¤0¤¤0¤0¤1¤¤Zając¤Ola"},
                data / "kadra.inr");
    const std::string original_staff = read_file(data / "kadra.inr");
    const std::string original_groups = read_file(data / "grupy.ini");

    files_report r = told(wczytaj(plan), plan);
    EXPECT_TRUE(r.ok());
    ASSERT_EQ(ui->warnings.size(), 1u);  // all problems in one message
    const std::string w = warnings();
    EXPECT_NE(w.find("grupy.ini, wiersz 1: pole 6 (dailyNorm)"), std::string::npos) << w;
    EXPECT_NE(w.find("grupy.ini, wiersz 2: pole 4 (staffMin)"), std::string::npos) << w;
    EXPECT_NE(w.find("grupy.ini, wiersz 3: pole 6 (color)"), std::string::npos) << w;
    EXPECT_NE(w.find("kadra.ini, wiersz 2: pole 3 (holidayCurrentYear) ma błędną wartość „abc”"), std::string::npos)
        << w;
    EXPECT_NE(w.find("kadra.ini, wiersz 2: pole 7 (partTimeDefault)"), std::string::npos) << w;
    EXPECT_NE(w.find("kadra.ini, wiersz 3: pole 3"), std::string::npos) << w;

    // The rest of every line and file is read.
    ASSERT_EQ(plan.groups.size(), 1u);
    ASSERT_EQ(plan.groups[0].shifts.size(), 2u);
    EXPECT_EQ(plan.groups[0].name, "Chirurgia");
    EXPECT_EQ(plan.groups[0].shifts[1].name, "Noc");
    ASSERT_EQ(plan.workers.size(), 3u);
    EXPECT_EQ(plan.workers[1].surname, "Nowak");
    EXPECT_EQ(plan.workers[1].firstName, "Jan");
    EXPECT_EQ(plan.workers[2].surname, "Zając");

    // The files as they were survive the next save.
    EXPECT_EQ(read_file(data / "grupy.ini.bad_2026-03-14"), original_groups);
    EXPECT_EQ(read_file(data / "kadra.inr.bad_2026-03-14"), original_staff);
    ASSERT_TRUE(told(zapisz(plan), plan).ok());
    EXPECT_EQ(read_file(data / "kadra.inr.bad_2026-03-14"), original_staff);
}

TEST_F(StaffFiles, GarbageLinesNeitherCrashNorMakeGhosts) {
    write_file(data / "grupy.ini", "z\xA4" "1\r\nrandom text\r\n\x01\x02\xFF\r\ng\r\nnoise\r\nx\xA4" "300\xA4" "60\r\n");
    write_staff({"garbage without separators", "¤¤¤", "p¤4", "q¤5¤0"}, data / "kadra.inr");
    files_report r = told(wczytaj(plan), plan);
    EXPECT_TRUE(r.ok());
    ASSERT_EQ(plan.groups.size(), 1u);  // the shift lines before any group are skipped
    ASSERT_EQ(plan.groups[0].shifts.size(), 1u);
    EXPECT_EQ(plan.groups[0].shifts[0].start, 300);
    EXPECT_EQ(plan.groups[0].shifts[0].length, 60);
    EXPECT_EQ(plan.workers.size(), 3u);
    const std::string w = warnings();
    EXPECT_NE(w.find("grupy.ini, wiersz 1: zmiana przed pierwszą grupą"), std::string::npos) << w;
    EXPECT_NE(w.find("grupy.ini, wiersz 5: wiersz bez pól"), std::string::npos) << w;
    EXPECT_NE(w.find("grupy.ini, wiersz 6: nieznany znacznik „x”"), std::string::npos) << w;
    EXPECT_NE(w.find("kadra.ini, wiersz 1: wiersz bez pól"), std::string::npos) << w;
    EXPECT_NE(w.find("kadra.ini, wiersz 2: nieznany znacznik „”"), std::string::npos) << w;
    EXPECT_NE(w.find("kadra.ini, wiersz 4: nieznany znacznik „q”"), std::string::npos) << w;
}

TEST_F(StaffFiles, ZeroAndDuplicateIdsGetFreeIds) {
    write_file(data / "grupy.ini", "g\xA4" "3\r\ng\xA4" "3\r\ng\xA4" "0\r\n");
    write_staff({"p¤5¤0¤0¤0¤0¤0¤100¤5¤5¤0¤¤0¤0¤1¤¤First", "p¤0¤0¤0¤0¤0¤0¤100¤5¤5¤0¤¤0¤0¤1¤¤Zero",
                 "p¤5¤0¤0¤0¤0¤0¤100¤5¤5¤0¤¤0¤0¤1¤¤Second"},
                data / "kadra.inr");
    told(wczytaj(plan), plan);
    ASSERT_EQ(plan.groups.size(), 3u);
    EXPECT_EQ(plan.groups[0].id, 3);
    EXPECT_EQ(plan.groups[1].id, 4);
    EXPECT_EQ(plan.groups[2].id, 5);
    ASSERT_EQ(plan.workers.size(), 3u);
    EXPECT_EQ(plan.workers[0].id, 5);  // the first holder keeps its id
    EXPECT_EQ(plan.workers[1].id, 6);
    EXPECT_EQ(plan.workers[2].id, 7);
    EXPECT_EQ(plan.workers[2].surname, "Second");
    const std::string w = warnings();
    EXPECT_NE(w.find("kadra.ini, wiersz 2: pracownik „Zero ” nie ma identyfikatora, nadano mu 6."), std::string::npos)
        << w;
    EXPECT_NE(w.find("kadra.ini, wiersz 3: pracownik „Second ” ma identyfikator 5, który jest już zajęty"),
              std::string::npos)
        << w;
}

TEST_F(StaffFiles, BrokenArchiveFallsBackAndIsNeverOverwritten) {
    plan.workers = {full_worker()};
    ASSERT_TRUE(told(zapisz(plan), plan).ok());
    fs::copy_file(data / "kadra.inr", data / "kadra.inr.bak");
    write_file(data / "kadra.inr", "PK\x03\x04 damaged");
    const std::string good_copy = read_file(data / "kadra.inr.bak");

    Plan loaded;
    loaded.paths = plan.paths;
    loaded.ui = ui;
    loaded.clock = plan.clock;
    ui->answers = {Answer::Yes};  // the copy is taken
    files_report r = told(wczytaj(loaded), loaded);
    ASSERT_EQ(loaded.workers.size(), 1u);
    EXPECT_EQ(loaded.workers[0].surname, "Źdźbło-Wąż");
    EXPECT_NE(warnings().find("kadra.inr"), std::string::npos);
    EXPECT_NE(warnings().find("kadra.inr.bak"), std::string::npos);
    EXPECT_EQ(read_file(data / "kadra.inr"), "PK\x03\x04 damaged");
    EXPECT_EQ(read_file(data / "kadra.inr.bak"), good_copy);

    ASSERT_TRUE(told(zapisz(loaded), loaded).ok());
    EXPECT_EQ(read_file(data / "kadra.inr.bad_2026-03-14"), "PK\x03\x04 damaged");
    EXPECT_NE(staff_text(data / "kadra.inr").find("Źdźbło"), std::string::npos);
}

TEST_F(StaffFiles, BrokenArchiveWithoutCopiesLoadsNoStaffAndSaysSo) {
    write_file(data / "kadra.inr", "");
    files_report r = told(wczytaj(plan), plan);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(plan.workers.empty());
    EXPECT_NE(warnings().find("kadra.inr"), std::string::npos);
    EXPECT_TRUE(fs::exists(data / "kadra.inr"));
    EXPECT_FALSE(fs::exists(data / "kadra.inr.bak"));  // a damaged file is not copied over copies

    // An archive without the staff file in it.
    ASSERT_TRUE(archive_pack_members({{"other.txt", "x"}}, data / "kadra.inr"));
    r = told(wczytaj(plan), plan);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(warnings().find("nie zawiera pliku kadra.ini"), std::string::npos);
}

TEST_F(StaffFiles, FailedPackKeepsThePlainFileUnderTheDatedName) {
    plan.workers = {full_worker()};
    ASSERT_TRUE(told(zapisz(plan), plan).ok());
    const std::string before = read_file(data / "kadra.inr");
    plan.workers[0].surname = "Zmieniona";
    ASSERT_TRUE(plan.groups.empty());  // the archive is the only file written
    set_write_fault(1);                // closing the archive fails
    files_report r = told(zapisz(plan), plan);
    set_write_fault(0);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(read_file(data / "kadra.inr"), before);
    EXPECT_FALSE(fs::exists(data / "kadra.ini"));
    const std::string plain = cp1250_to_utf8(read_file(data / "kadra.ini.error_2026-03-14"));
    EXPECT_NE(plain.find("Zmieniona"), std::string::npos);
    EXPECT_EQ(ui->warnings.size(), 1u);
}

TEST_F(StaffFiles, TextsTheLineCannotHoldAreReplacedNotSpread) {
    prac w = full_worker();
    w.surname = "Nowak¤Kowalska\r\nX";
    w.email = "ola@example.pl 😀";
    plan.workers = {w};
    ASSERT_TRUE(told(zapisz(plan), plan).ok());
    EXPECT_NE(warnings().find("surname"), std::string::npos);
    EXPECT_NE(warnings().find("email"), std::string::npos);
    Plan loaded;
    loaded.paths = plan.paths;
    ASSERT_TRUE(told(wczytaj(loaded), loaded).ok());
    ASSERT_EQ(loaded.workers.size(), 1u);
    EXPECT_EQ(loaded.workers[0].surname, "Nowak Kowalska  X");
    EXPECT_EQ(loaded.workers[0].firstName, "Łucja");
    EXPECT_EQ(loaded.workers[0].email, "ola@example.pl ?");
}

TEST_F(StaffFiles, NoDataFolderReadsAndWritesNothing) {
    Plan bare;
    bare.ui = ui;
    bare.workers = {full_worker()};
    EXPECT_FALSE(told(zapisz(bare), bare).ok());
    EXPECT_FALSE(fs::exists("kadra.inr"));
    EXPECT_FALSE(told(wczytaj(bare), bare).ok());
    EXPECT_EQ(ui->warnings.size(), 2u);
}

TEST_F(StaffFiles, ReadOnlyDataFolder) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    plan.groups = {full_group()};
    plan.workers = {full_worker()};
    ASSERT_TRUE(told(zapisz(plan), plan).ok());
    const std::string groups = read_file(data / "grupy.ini");
    const std::string staff = read_file(data / "kadra.inr");
    fs::permissions(data, fs::perms::owner_read | fs::perms::owner_exec);

    Plan loaded;
    loaded.paths = plan.paths;
    loaded.ui = ui;
    files_report r = told(wczytaj(loaded), loaded);
    EXPECT_EQ(loaded.groups.size(), 1u);
    EXPECT_EQ(loaded.workers.size(), 1u);
    loaded.workers[0].surname = "Inna";
    r = told(zapisz(loaded), loaded);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(warnings().find("grupy.ini"), std::string::npos);
    EXPECT_NE(warnings().find("kadra.inr"), std::string::npos);
    fs::permissions(data, fs::perms::owner_all);
    EXPECT_EQ(read_file(data / "grupy.ini"), groups);
    EXPECT_EQ(read_file(data / "kadra.inr"), staff);
}

}  // namespace
}  // namespace planek
