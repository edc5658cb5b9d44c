#pragma once
// The entry functions of the fuzz targets, shared with the replay test so
// that every kept input runs through exactly the code the fuzzer ran. Each
// takes the raw bytes of a file as it would come from disk (Windows-1250)
// and must return normally whatever they hold; a broken invariant aborts.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "calendar/time_text.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/plan.h"
#include "core/text.h"
#include "files/archive.h"
#include "files/file_problems.h"
#include "files/group_file.h"
#include "files/month_file.h"
#include "files/staff_file.h"
#include "printouts/generation.h"
#include "printouts/tag_tree.h"
#include "printouts/template_file.h"
#include "settings/language.h"
#include "settings/language_install.h"

namespace planek::fuzz {

namespace fs = std::filesystem;

// Stops with a message: the fuzzer and the replay test both see the abort.
inline void expect(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
        std::abort();
    }
}

// The file's bytes as the readers get them: decoded, split at CR LF, LF or CR.
inline std::vector<std::string> text_lines(std::string_view bytes) {
    return split_text_lines(cp1250_to_utf8(bytes));
}

// The scratch folders of this process, removed when it ends.
inline const fs::path& scratch_root() {
    static const struct owned_folder {
        fs::path path = fs::temp_directory_path() / ("planek-fuzz-" + std::to_string(::getpid()));
        ~owned_folder() {
            std::error_code ec;
            fs::remove_all(path, ec);
        }
    } root;
    return root.path;
}

// A scratch folder of this process, emptied before each input.
inline fs::path scratch(const std::string& name) {
    const fs::path dir = scratch_root() / name;
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir, ec);
    return dir;
}

inline void put_file(const fs::path& file, std::string_view bytes) {
    std::FILE* f = std::fopen(file.c_str(), "wb");
    expect(f != nullptr, "scratch file cannot be written");
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// A small ward: March 2026, two groups of two shifts, three workers, so that
// ids and days in the fuzzed files have something to land on.
inline Plan small_ward(const fs::path& root) {
    Plan plan;
    plan.clock = std::make_shared<FixedClock>(2026, 3, 15);
    plan.paths = Paths::local(root);
    plan.year = 2026;
    plan.month = 3;
    miesiac m;
    m.month = 3;
    m.year = 2026;
    m.dayCount = 31;
    m.workingDays = 22;
    m.normMinutes = 22 * 455;
    for (int d = 0; d < 31; ++d) {
        day dd;
        dd.dayOfWeek = byte((d % 7) + 1);
        plan.days.push_back(dd);
        day_param p;
        p.dayClass = d % 7 == 0 ? "sw" : "da";
        p.dayNumber = byte(d + 1);
        m.days.push_back(p);
    }
    plan.months.push_back(m);
    plan.dyz8 = 455;
    plan.dyz12 = 720;
    for (word id = 1; id <= 2; ++id) {
        grupa g;
        g.id = id;
        g.nick = id == 1 ? "PIE" : "POŁ";
        g.name = id == 1 ? "Pielęgniarki" : "Położne";
        g.dailyNorm = 455;
        g.shifts.push_back({420, 720, 0xFFFFFF, "D", "Dzienna", {}, 2, 1});
        g.shifts.push_back({1140, 720, 0xFFFFFF, "N", "Nocna", {}, 1, 1});
        plan.groups.push_back(g);
    }
    const char* names[] = {"Kowalska", "Nowak", "Zając"};
    for (word id = 1; id <= 3; ++id) {
        prac w;
        w.id = id;
        w.surname = names[id - 1];
        w.firstName = "Anna";
        w.nick = std::string(names[id - 1]).substr(0, 2);
        w.groups = "1|";
        w.months.resize(1);
        plan.workers.push_back(w);
    }
    plan.currentGroup = 0;
    plan.currentWorker = 0;
    plan.currentMonth = 0;
    plan.rebuildWorkerIds();
    return plan;
}

// The INI profile reader (konfiguracja.ini, glowne.ini, ...).
inline void ini_file(std::string_view bytes) {
    IniFile ini;
    ini.loadText(cp1250_to_utf8(bytes));
    for (const std::string& s : ini.sections()) {
        for (const std::string& k : ini.keys(s)) {
            (void)ini.readInt(s, k, 0);
            (void)ini.readBool(s, k, false);
            (void)ini.value(s, k);
        }
        (void)ini.sectionLines(s);
    }
    // What the program writes back must read back as the same text.
    const std::string text = ini.text();
    IniFile again;
    again.loadText(text);
    expect(again.text() == text, "INI text changes when read back");
}

// The group file grupy.ini, and writing back what it gave.
inline void group_file(std::string_view bytes) {
    Translator tr;
    file_problems problems{tr, {}};
    std::vector<int> numbers;
    std::vector<grupa> groups = read_group_lines(text_lines(bytes), "grupy.ini", problems, &numbers);
    expect(numbers.size() == groups.size(), "group line numbers");
    file_problems again{tr, {}};
    const std::vector<std::string> lines = group_file_lines(groups, again);
    file_problems reread{tr, {}};
    const std::vector<grupa> back = read_group_lines(lines, "grupy.ini", reread);
    expect(back.size() == groups.size(), "groups written and read back");
    for (size_t i = 0; i < back.size(); ++i)
        expect(back[i].dailyNorm == groups[i].dailyNorm && back[i].dailyNormDefault == groups[i].dailyNormDefault,
               "group norms written and read back");
}

// The staff file (the "p" lines inside kadra.inr), and writing back what it gave.
inline void staff_file(std::string_view bytes) {
    Translator tr;
    file_problems problems{tr, {}};
    std::vector<int> numbers;
    std::vector<prac> workers = read_staff_lines(text_lines(bytes), "kadra.ini", problems, &numbers);
    expect(numbers.size() == workers.size(), "staff line numbers");
    file_problems again{tr, {}};
    const std::vector<std::string> lines = staff_file_lines(workers, again);
    file_problems reread{tr, {}};
    expect(read_staff_lines(lines, "kadra.ini", reread).size() == workers.size(), "staff written and read back");
}

// A month file (*.pnk) read into a copy of a small ward.
inline void month_file(std::string_view bytes) {
    const fs::path dir = scratch("month");
    const fs::path file = dir / "2026_03.pnk";
    put_file(file, bytes);
    const Plan plan = small_ward(dir);
    (void)check_month_file(plan, file);

    // Whatever was read, orphans of workers not on the staff included, is
    // written and read back.
    Plan read = small_ward(dir);
    read.currentFile = file.string();
    (void)wczytaj_tylko_do_odczytu(read);
    const fs::path again = dir / "2026_03_again.pnk";
    std::string written;
    expect(bool(month_file_bytes(read, again, written)) && bool(write_bytes(again, written)), "month written");
    Plan back = small_ward(dir);
    back.currentFile = again.string();
    (void)wczytaj_tylko_do_odczytu(back);
    expect(back.orphanDuties.size() == read.orphanDuties.size() &&
               back.orphanDaysOff.size() == read.orphanDaysOff.size(),
           "orphans written and read back");
    // What this program writes proves itself whole, whatever it was read from.
    expect(back.guards.damaged.empty(), "a month written reads as whole");
}

// A language file, then the day-off names it may rename.
inline void language_file(std::string_view bytes) {
    Plan plan;
    load_language_text(plan.tr, cp1250_to_utf8(bytes));
    apply_day_off_names(plan);

    // The same bytes as a user's file that gains the keys of a shipped one:
    // nothing of it is lost, and a second pass finds nothing to add.
    const std::string mine(bytes);
    const std::string shipped = "[messages]\r\nmsg_A=A\r\n[f_New]\r\nCaption=Nowe\r\n";
    const std::string merged = add_missing_language_keys(mine, shipped);
    expect(merged.size() >= mine.size(), "a user's language file lost bytes");
    expect(add_missing_language_keys(merged, shipped) == merged, "the missing keys were added twice");
    Translator tr;
    load_language_text(tr, cp1250_to_utf8(merged));
    expect(tr.has("f_New", "Caption"), "a missing key was not added");
}

// A template: the header, the tag tree and a whole run into a scratch folder.
inline void template_file(std::string_view bytes) {
    const fs::path dir = scratch("template");
    Plan plan = small_ward(dir);
    const std::vector<std::string> lines = text_lines(bytes);
    szablon t;
    t.path = dir / "t.wzr";
    parse_header(lines, t, &plan);
    const std::string name = czysc_nazwe_pliku(t.outputName);
    expect(name.find('/') == std::string::npos && name.find('\\') == std::string::npos && name != "." &&
               name != "..",
           "output name leaves the printouts folder");
    tag_tree tree;
    drzewo_kreator(tree, przygotuj_tresc(lines, t));
    for (const tag_node& n : tree.nodes) expect(n.depth <= kMaxTagDepth, "tag tree deeper than the limit");

    put_file(t.path, bytes);
    const fs::path out = dir / "out";
    gen_options o;
    o.outputFolder = out;
    o.maxOutputBytes = 1u << 20;
    const gen_result r = generuj(plan, t.path, o);
    if (r.ok) {
        const fs::path parent = fs::weakly_canonical(r.file).parent_path();
        expect(parent == fs::weakly_canonical(out), "document written outside its folder");
    }
}

// A ZIP archive (the staff archive, a backup): read, then unpacked.
inline void archive(std::string_view bytes) {
    const fs::path dir = scratch("archive");
    const fs::path zip = dir / "in.zip";
    put_file(zip, bytes);
    std::vector<archive_member> members;
    (void)archive_read(zip, members);
    for (const archive_member& m : members)
        expect(!m.name.empty() && m.name.find('/') == std::string::npos && m.name != "..", "member name");
    // The staff file alone, as the start reads it: whole or refused, never more than its bound.
    std::string staff;
    const archive_check one = archive_read_member(zip, "kadra.ini", staff, kStaffFileBound.bytes);
    expect(one.ok() ? staff.size() <= kStaffFileBound.bytes : staff.empty(), "one member read whole or not at all");
    const fs::path target = dir / "out";
    std::error_code ec;
    fs::create_directories(target, ec);
    std::vector<fs::path> written;
    (void)archive_unpack(zip, target, &written);
    for (const fs::path& p : written)
        expect(fs::weakly_canonical(p).parent_path() == fs::weakly_canonical(target), "unpacked outside the target");
    // Nothing may appear beside the target folder either.
    for (const auto& e : fs::directory_iterator(dir, ec))
        expect(e.path() == zip || e.path() == target, "archive wrote beside its target");
}

// Typed and stored times.
inline void time_text(std::string_view bytes) {
    const std::string text = cp1250_to_utf8(bytes);
    const std::optional<int> v = try_h2min(text);
    try {
        const int w = h2min(text);
        expect(v && *v == w, "h2min and try_h2min disagree");
    } catch (const time_text_error&) {
        expect(!v, "h2min throws where try_h2min reads a time");
    }
    if (v) {
        for (const char* f : {"txt", "htm", "txt,", "txt#", "txt."}) (void)min2h(*v, f, true, true);
        expect(try_h2min(min2h(*v)) == v, "a time does not read back");
    }
}

}  // namespace planek::fuzz
