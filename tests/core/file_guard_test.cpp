#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/guarded_write.h"
#include "core/ini_file.h"
#include "core/lock_file.h"
#include "support/temp_dir.h"

namespace planek {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::TempDir;
using test::write_file;

lock_owner other_computer(std::time_t since = std::time(nullptr)) { return {"Ewa Nowak", "stacja-2", 4242, since}; }

// A pid no process has on this computer (above the kernel's highest).
constexpr long kDeadPid = 0x7ffffff0;

TEST(FileGuard, AChangeOfTheSameSizeOrAFileAppearingIsAChange) {
    TempDir dir;
    const fs::path f = dir / "2024_03.pnk";
    const file_fingerprint absent = current_fingerprint(f);
    EXPECT_FALSE(absent.exists);
    EXPECT_TRUE(same_content(absent, current_fingerprint(f)));

    write_file(f, "d1=1\r\n");
    const file_fingerprint first = current_fingerprint(f);
    EXPECT_FALSE(same_content(absent, first));
    EXPECT_TRUE(same_content(first, fingerprint_of(f, "d1=1\r\n")));

    // Same size, and on a coarse clock the same time: only the hash tells.
    const auto t = fs::last_write_time(f);
    write_file(f, "d1=2\r\n");
    fs::last_write_time(f, t);
    EXPECT_FALSE(same_content(first, current_fingerprint(f)));
    fs::remove(f);
    EXPECT_FALSE(same_content(first, current_fingerprint(f)));
}

TEST(FileGuard, AFileWrittenBackOnlyWhileItIsWhatWasRead) {
    TempDir dir;
    const fs::path f = dir / "kadra.ini";
    const lock_owner me = this_process_owner("Anna", std::time(nullptr));
    read_fingerprints seen;
    write_file(f, "ours\r\n");
    std::vector<std::string> lines;
    std::string error;
    ASSERT_TRUE(read_lines_noted(seen, f, lines, error));

    // Unchanged: written, and the next save checks against what was written.
    ASSERT_TRUE(write_guarded(seen, f, "ours 2\r\n", me).ok());
    ASSERT_TRUE(write_guarded(seen, f, "ours 3\r\n", me).ok());
    EXPECT_EQ(read_file(f), "ours 3\r\n");

    // Somebody else saved meanwhile: refused, his text stays, and the lock he
    // left beside the file names him.
    write_file(f, "theirs\r\n");
    ASSERT_TRUE(create_lock_file(open_lock_file(f), other_computer()).made);
    const guarded_write_result refused = write_guarded(seen, f, "ours 4\r\n", me);
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.changed);
    ASSERT_TRUE(refused.changedBy);
    EXPECT_EQ(refused.changedBy->user, "Ewa Nowak");
    EXPECT_NE(refused.io.error.find("Ewa Nowak na komputerze stacja-2"), std::string::npos) << refused.io.error;
    EXPECT_EQ(read_file(f), "theirs\r\n");
    EXPECT_FALSE(fs::exists(save_lock::file_for(f)));

    // A file read as absent must still be absent.
    const file_fingerprint none;
    EXPECT_TRUE(write_bytes_if_unchanged(f, "x", &none, me).changed);
    EXPECT_TRUE(write_bytes_if_unchanged(dir / "new.pnk", "x", &none, me).ok());
}

TEST(FileGuard, LockFilesAreExclusiveAndNameTheirOwner) {
    TempDir dir;
    const fs::path lock = dir / "2024_03.pnk.lock";
    const lock_owner me = this_process_owner("Łucja", 1700000000);
    ASSERT_TRUE(create_lock_file(lock, me).made);
    const lock_attempt second = create_lock_file(lock, other_computer());
    EXPECT_FALSE(second.made);
    EXPECT_TRUE(second.exists);
    const std::optional<lock_owner> read = read_lock_file(lock);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->user, "Łucja");
    EXPECT_EQ(read->since, 1700000000);
    EXPECT_TRUE(is_this_process(*read));
    EXPECT_FALSE(is_this_process(other_computer()));
    // Cut off while it was being written: no owner, judged by the file's age.
    EXPECT_FALSE(parse_lock_file_text("user=Ewa\nhost=st"));
}

TEST(FileGuard, StaleLocksAreThoseOfDeadProcessesHereOrOlderThanTheLimit) {
    TempDir dir;
    const fs::path lock = dir / "x.lock";
    const std::time_t now = std::time(nullptr);
    const auto day = std::chrono::hours(24);
    lock_owner dead = this_process_owner("Anna", now);
    dead.pid = kDeadPid;
    EXPECT_TRUE(lock_is_stale(lock, dead, now, day));
    EXPECT_FALSE(lock_is_stale(lock, this_process_owner("Anna", now), now, day));
    // Another computer's process cannot be looked at: only its age counts.
    EXPECT_FALSE(lock_is_stale(lock, other_computer(now - 3600), now, day));
    EXPECT_TRUE(lock_is_stale(lock, other_computer(now - 25 * 3600), now, day));
    write_file(lock, "user=Ew");
    EXPECT_FALSE(lock_is_stale(lock, std::nullopt, now, std::chrono::minutes(2)));
    fs::last_write_time(lock, fs::file_time_type::clock::now() - std::chrono::minutes(3));
    EXPECT_TRUE(lock_is_stale(lock, std::nullopt, now, std::chrono::minutes(2)));
}

TEST(FileGuard, ASaveWaitsForAnotherSaveAndTakesOverADeadOnesLock) {
    TempDir dir;
    const fs::path f = dir / "grupy.ini";
    const lock_owner me = this_process_owner("Anna", std::time(nullptr));
    {
        // Held by a live save on another computer: waited for, then refused naming it.
        ASSERT_TRUE(create_lock_file(save_lock::file_for(f), other_computer()).made);
        save_lock waiting(f, me, std::chrono::milliseconds(50));
        EXPECT_FALSE(waiting.held());
        EXPECT_NE(waiting.error().find("Ewa Nowak"), std::string::npos) << waiting.error();
        // Released meanwhile: the waiting save goes on.
        std::thread release([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            remove_lock_file(save_lock::file_for(f));
        });
        save_lock later(f, me, std::chrono::seconds(5));
        release.join();
        EXPECT_TRUE(later.held());
    }
    EXPECT_FALSE(fs::exists(save_lock::file_for(f)));
    lock_owner dead = me;
    dead.pid = kDeadPid;
    ASSERT_TRUE(create_lock_file(save_lock::file_for(f), dead).made);
    save_lock taken(f, me, std::chrono::milliseconds(50));
    EXPECT_TRUE(taken.held());
}

TEST(FileGuard, AnIniFileIsNotSavedOverAnotherProgramsNewerVersion) {
    TempDir dir;
    const fs::path f = dir / "konfiguracja.ini";
    write_file(f, "[glowne]\r\nautosave=5\r\n");
    IniFile ours(f);
    ours.writeInt("glowne", "autosave", 10);
    write_file(f, "[glowne]\r\nautosave=5\r\nlang=1\r\n");
    EXPECT_FALSE(ours.save());
    EXPECT_TRUE(ours.changedOnDisk());
    EXPECT_EQ(read_file(f), "[glowne]\r\nautosave=5\r\nlang=1\r\n");
    // Elsewhere it goes; read again, the change is saved on the newer file.
    EXPECT_TRUE(ours.saveAs(dir / "kopia.ini"));
    IniFile again(f);
    again.writeInt("glowne", "autosave", 10);
    ASSERT_TRUE(again.save());
    EXPECT_FALSE(again.changedOnDisk());
    again.writeInt("glowne", "autosave", 11);
    EXPECT_TRUE(again.save());  // its own save is no change to it
    // A file that was absent when read must still be absent.
    IniFile fresh(dir / "sundays.ini");
    fresh.writeString("1", "2024", "1");
    write_file(dir / "sundays.ini", "[2]\r\n");
    EXPECT_FALSE(fresh.save());
}

}  // namespace
}  // namespace planek
