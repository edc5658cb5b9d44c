// The failures of writes are said in the language of the session that
// wrote, never in one the process keeps: two sessions of one process in two
// languages each hear their own, whichever of them wrote last.
#include <gtest/gtest.h>

#include <ctime>

#include "core/file_io.h"
#include "core/guarded_write.h"
#include "core/lock_file.h"
#include "core/plan.h"
#include "files/archive.h"
#include "files/staff_group_files.h"
#include "settings/language.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::ScriptedInteraction;
using test::TempDir;

bool has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

Translator language(const std::string& name) {
    Translator tr;
    EXPECT_TRUE(load_language_file(tr, fs::path(PLANEK_SOURCE_DIR) / "lang" / (name + ".lng")));
    return tr;
}

// No letter only Polish has: an English text let no Polish through.
bool plain_ascii(const std::string& text) {
    for (const char* letter : {"ą", "ć", "ę", "ł", "ń", "ó", "ś", "ź", "ż", "„", "”", "Ł", "Ś", "Ż"})
        if (has(text, letter)) return false;
    return true;
}

TEST(WriteLanguage, EveryWriteOfTheFileLibrarySpeaksTheCallersLanguage) {
    TempDir dir;
    const Translator english = language("english");
    const Translator polish = language("polski");
    const fs::path folder = dir / "a folder";
    fs::create_directories(folder);

    // Interleaved: a language kept from the last caller would show here.
    const io_result e1 = write_bytes(folder, "x", &english);
    const io_result p1 = write_bytes(folder, "x", &polish);
    const io_result none = write_bytes(folder, "x");
    const io_result e2 = write_lines(dir / "snow.txt", {"\xE2\x98\x83"}, &english);
    const io_result p2 = write_lines(dir / "snow.txt", {"\xE2\x98\x83"}, &polish);
    EXPECT_TRUE(has(e1.error, "Cannot write the file")) << e1.error;
    EXPECT_TRUE(has(p1.error, "Nie można zapisać pliku")) << p1.error;
    EXPECT_EQ(none.error, p1.error);  // without a language: the built-in Polish
    EXPECT_TRUE(has(e2.error, "cannot be written")) << e2.error;
    EXPECT_TRUE(has(p2.error, "nie można zapisać")) << p2.error;

    // The archive's writes and the refusals of the guarded write.
    const io_result e3 = archive_pack_members({{"a.txt", "a"}}, folder, &english);
    const io_result p3 = archive_pack_members({{"a.txt", "a"}}, folder, &polish);
    EXPECT_TRUE(has(e3.error, "Cannot write the file")) << e3.error;
    EXPECT_TRUE(has(p3.error, "Nie można zapisać pliku")) << p3.error;
    const std::optional<lock_owner> other = this_process_owner("ann", std::time(nullptr));
    EXPECT_TRUE(
        has(changed_file_text(dir / "m.pnk", other, &english), "has changed since it was read (open by ann"));
    EXPECT_TRUE(
        has(changed_file_text(dir / "m.pnk", other, &polish), "zmienił się od odczytu (otwarty przez ann"));

    // A save lock another save holds, waited for in vain.
    const fs::path target = dir / "held.ini";
    const save_lock running(target, this_process_owner("ann", std::time(nullptr)));
    ASSERT_TRUE(running.held());
    const lock_owner me = this_process_owner("bob", std::time(nullptr));
    const save_lock e4(target, me, std::chrono::milliseconds(20), &english);
    const save_lock p4(target, me, std::chrono::milliseconds(20), &polish);
    EXPECT_TRUE(has(e4.error(), "is being saved by ann")) << e4.error();
    EXPECT_TRUE(has(p4.error(), "jest właśnie zapisywany przez ann")) << p4.error();

    for (const std::string& text : {e1.error, e2.error, e3.error, e4.error()})
        EXPECT_TRUE(plain_ascii(text)) << text;
}

// Two ward sessions in one process save their staff where a folder stands
// in for the group file, one after the other and again: each hears the
// failure and its own notes in its own language.
TEST(WriteLanguage, TwoSessionsOfOneProcessEachHearTheirOwnLanguage) {
    TempDir dir;
    auto session = [&](const std::string& name, const std::string& lang) {
        auto plan = std::make_unique<Plan>();
        plan->paths = Paths::local(dir / name);
        plan->ui = std::make_shared<ScriptedInteraction>();
        plan->clock = std::make_shared<FixedClock>(2030, 4, 1);
        plan->tr = language(lang);
        fs::create_directories(plan->paths.data / "grupy.ini");  // a folder where the file goes
        grupa g;
        g.id = 1;
        g.name = "Surgery";
        plan->groups = {g};
        prac w;
        w.id = 1;
        w.groupId = 1;
        w.firstName = "Ann";
        w.surname = "Sm\xE2\x98\x83th";  // a letter Windows-1250 cannot hold
        plan->workers = {w};
        plan->rebuildWorkerIds();
        return plan;
    };
    const auto english = session("english-ward", "english");
    const auto polish = session("polish-ward", "polski");
    auto said = [](Plan& plan) {
        const files_report r = zapisz(plan);
        EXPECT_FALSE(r.ok());
        std::string all;
        for (const std::string& p : r.problems) all += p + "\n";
        return all;
    };
    const std::string e1 = said(*english), p1 = said(*polish), e2 = said(*english);
    for (const std::string& e : {e1, e2}) {
        EXPECT_TRUE(has(e, "grupy.ini\" cannot be read: it is a folder.")) << e;
        EXPECT_TRUE(has(e, "worker \"Sm")) << e;
        EXPECT_TRUE(has(e, "The staff data was saved in the file")) << e;
        EXPECT_TRUE(plain_ascii(e)) << e;
    }
    EXPECT_TRUE(has(p1, "grupy.ini\": to jest folder.")) << p1;
    EXPECT_TRUE(has(p1, "pracownik „Sm")) << p1;
}

}  // namespace
}  // namespace planek
