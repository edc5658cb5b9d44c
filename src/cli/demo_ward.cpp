#include "cli/demo_ward.h"

#include <filesystem>
#include <ostream>
#include <system_error>
#include <vector>

#include "cli/cli.h"
#include "cli/demo_months.h"
#include "files/staff_group_files.h"

namespace planek::cli {

namespace {

namespace fs = std::filesystem;

constexpr word kNorm = 455;  // 7:35, the daily norm of health care staff

zmiana_ shift(const char* symbol, const char* name, int start, int length, int min, int minHoliday, colour c) {
    zmiana_ z;
    z.symbol = symbol;
    z.name = name;
    z.start = word(start);
    z.length = word(length);
    z.staffMin = byte(min);
    z.staffMinS = byte(minHoliday);
    z.color = c;
    return z;
}

grupa group(word id, const char* name, const char* nick, colour c) {
    grupa g;
    g.id = id;
    g.name = name;
    g.nick = nick;
    g.color = c;
    g.dailyNorm = g.dailyNormDefault = kNorm;
    g.dayOffForSaturdayHoliday = g.dayOffForSaturdayHolidayDefault = true;
    g.residueDistribution = 1;
    g.autoStaffN = 2;
    g.autoStaffH = 2;
    return g;
}

enum class Mode { Pattern, Eight, None };

struct person {
    const char* first;
    const char* surname;
    const char* groups;
    const char* occupation;
    double partTime;
    Mode mode;
    const char* pattern;  // the cyclic pattern, or the 8-hour shift pattern
    int leaveDays;
    int leftDays;
};

// Leave is kept in minutes of the daily norm.
const person kPeople[] = {
    {"Anna", "Kowalska", "1|", "pielęgniarka oddziałowa", 100, Mode::None, "", 26, 3},
    {"Małgorzata", "Wiśniewska", "1|", "pielęgniarka", 100, Mode::Pattern, "1200", 26, 0},
    {"Katarzyna", "Wójcik", "1|", "pielęgniarka", 100, Mode::Pattern, "1200", 26, 5},
    {"Agnieszka", "Kowalczyk", "1|", "pielęgniarka", 100, Mode::Pattern, "1200", 20, 0},
    {"Barbara", "Kamińska", "1|", "pielęgniarka", 75, Mode::Pattern, "12000", 26, 2},
    {"Ewa", "Lewandowska", "1|", "pielęgniarka", 100, Mode::Pattern, "1200", 26, 0},
    {"Elżbieta", "Zielińska", "1|", "pielęgniarka", 50, Mode::Pattern, "100200", 26, 0},
    {"Joanna", "Szymańska", "1|", "pielęgniarka", 100, Mode::Pattern, "1200", 20, 1},
    {"Magdalena", "Woźniak", "1|", "pielęgniarka", 87.5, Mode::Pattern, "1200", 26, 0},
    {"Dorota", "Dąbrowska", "1|", "pielęgniarka", 100, Mode::Pattern, "2200", 26, 4},
    {"Jolanta", "Kozłowska", "1|", "pielęgniarka", 100, Mode::Eight, "1", 26, 0},
    {"Grażyna", "Jankowska", "1|", "salowa", 100, Mode::Eight, "1", 26, 0},
    {"Paweł", "Mazur", "1|", "pielęgniarz", 100, Mode::Pattern, "1200", 20, 0},
    {"Łukasz", "Krawczyk", "1|", "ratownik medyczny", 62.5, Mode::Pattern, "120000", 20, 0},
    {"Zofia", "Piotrowska", "2|", "położna oddziałowa", 100, Mode::None, "", 26, 6},
    {"Halina", "Grabowska", "2|", "położna", 100, Mode::Pattern, "11220033", 26, 0},
    {"Teresa", "Nowakowska", "2|", "położna", 100, Mode::Pattern, "11220033", 26, 2},
    {"Beata", "Pawłowska", "2|", "położna", 100, Mode::Pattern, "11220033", 26, 0},
    {"Iwona", "Michalska", "2|", "położna", 75, Mode::Pattern, "1230", 26, 0},
    {"Renata", "Nowicka", "2|", "położna", 100, Mode::Pattern, "11220033", 20, 0},
    {"Urszula", "Adamczyk", "2|", "położna", 100, Mode::Eight, "1112", 26, 1},
    {"Bożena", "Dudek", "2|", "położna", 50, Mode::Eight, "1", 26, 0},
    {"Krystyna", "Zając", "2|", "położna", 100, Mode::Pattern, "11220033", 26, 0},
    {"Jadwiga", "Wieczorek", "2|", "pielęgniarka", 100, Mode::Pattern, "33001122", 26, 0},
    {"Żaneta", "Jabłońska", "2|", "położna", 87.5, Mode::Pattern, "11220033", 20, 0},
    {"Aleksandra", "Król", "2|", "położna", 100, Mode::Pattern, "22003311", 20, 0},
    {"Justyna", "Majewska", "2|", "sanitariuszka", 100, Mode::Eight, "1", 26, 0},
    {"Monika", "Olszewska", "1|2|", "pielęgniarka", 100, Mode::Pattern, "1200", 26, 0},
    {"Świętosław", "Ślęzak", "2|", "pielęgniarz", 100, Mode::None, "", 26, 0},
};

// The first n characters of a UTF-8 text.
std::string first_chars(const std::string& s, size_t n) {
    size_t i = 0;
    for (size_t k = 0; k < n && i < s.size(); ++k) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    }
    return s.substr(0, i);
}

// First letter of the first name and two of the surname; when that is taken,
// the first and third letters of the surname.
std::string nick_of(const person& p, const std::vector<prac>& taken) {
    std::string nick = first_chars(p.first, 1) + first_chars(p.surname, 2);
    for (const prac& w : taken)
        if (w.nick == nick) {
            std::string two = first_chars(p.surname, 3);
            return first_chars(p.first, 1) + first_chars(p.surname, 1) + two.substr(first_chars(p.surname, 2).size());
        }
    return nick;
}

prac worker(const person& p, word id, const std::vector<prac>& taken) {
    prac w;
    w.id = id;
    w.firstName = p.first;
    w.surname = p.surname;
    w.nick = nick_of(p, taken);
    w.groups = p.groups;
    w.occupation = p.occupation;
    w.postOffice = "Kraków";
    w.phone = "600 100 " + std::to_string(200 + id);
    w.partTimeDefault = p.partTime;
    w.holidayCurrentYear = word(p.leaveDays * kNorm);
    w.holidayPreviousYear = word(p.leftDays * kNorm);
    w.careDays = 2;
    w.rehaDays = id % 7 == 0 ? 10 : 0;
    w.prefDayNight = byte(id % 3 == 0 ? 5 : 3);
    w.prefNormalHoliday = 3;
    w.color = rgb(255 - (id * 7) % 40, 255 - (id * 13) % 50, 230 + id % 25);
    w.prefWithoutAuto = p.mode == Mode::None;
    w.prefSystem = p.mode == Mode::Pattern;
    w.prefAuto8 = p.mode == Mode::Eight;
    if (p.mode == Mode::Eight) {
        w.systemPattern8 = p.pattern;
        w.automatFromHourOn = id % 2 == 0;
        w.automatFromHour = 420;
    } else {
        w.systemPattern = p.pattern;
        w.systemStartFrom = byte(1 + id % std::max<size_t>(1, std::string(p.pattern).size()));
    }
    return w;
}

int demo(context& c) {
    if (c.args.size() > 1) throw usage_error("za dużo argumentów");
    if (c.args.empty() && !c.root) throw usage_error("brak nazwy folderu");
    if (!c.args.empty()) c.root = c.args[0];
    if (!c.open_root()) return kExitFailure;
    const Paths& paths = c.plan.paths;
    std::error_code ec;
    if (fs::exists(paths.data / "grupy.ini", ec) || fs::exists(paths.data / "kadra.inr", ec)) {
        Answer a = c.ui->ask("Folder " + paths.data.string() + " zawiera już dane. Zastąpić je danymi przykładowymi?",
                             Buttons::YesNo);
        if (a != Answer::Yes) {
            c.err << "Nic nie zapisano.\n";
            return kExitFailure;
        }
    }
    for (const fs::path& p : {paths.templates, paths.printouts, paths.lang}) {
        fs::create_directories(p, ec);
        if (ec) {
            c.err << "Nie można utworzyć folderu " << p.string() << ": " << ec.message() << "\n";
            return kExitFailure;
        }
    }
    build_demo_ward(c.plan);
    if (!zapisz(c.plan).ok()) return kExitFailure;
    const std::vector<std::string> months = write_demo_months(c.plan);
    c.out << "Zapisano dane przykładowe w " << paths.root.string() << ": " << c.plan.groups.size() << " grupy, "
          << c.plan.workers.size() << " pracowników, " << months.size() << " pliki miesięcy.\n";
    return kExitOk;
}

}  // namespace

void build_demo_ward(Plan& plan) {
    grupa surgery = group(1, "Oddział Chirurgii", "CHI", rgb(0xE8, 0xF0, 0xFF));
    surgery.shifts = {shift("D", "Dzienna", 7 * 60, 720, 3, 2, rgb(255, 255, 255)),
                      shift("N", "Nocna", 19 * 60, 720, 2, 2, rgb(221, 221, 221))};
    grupa delivery = group(2, "Blok Porodowy", "BP", rgb(0xFF, 0xF0, 0xF5));
    delivery.algorithm = 1;
    delivery.shifts = {shift("R", "Ranna", 6 * 60, 480, 3, 2, rgb(255, 255, 255)),
                       shift("P", "Popołudniowa", 14 * 60, 480, 2, 2, rgb(0xFF, 0xFF, 0xE0)),
                       shift("N", "Nocna", 22 * 60, 480, 2, 1, rgb(221, 221, 221))};
    plan.groups = {surgery, delivery};
    plan.workers.clear();
    word id = 1;
    for (const person& p : kPeople) plan.workers.push_back(worker(p, id++, plan.workers));
    plan.workers.back().old = true;  // a former worker, kept in the file
    plan.workers[10].automatDays = "1111000";
    plan.workers[21].automatDays = "0111110";
    plan.rebuildWorkerIds();
}

std::vector<command> demo_commands() {
    return {{"demo", "DIR", "zapisuje w folderze DIR przykładowy oddział (dwie grupy, 29 osób)", demo}};
}

}  // namespace planek::cli
