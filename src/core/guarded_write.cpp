#include "core/guarded_write.h"

#include <cstdio>

#include "core/cp1250.h"
#include "core/text.h"

namespace planek {

namespace fs = std::filesystem;

fs::path open_lock_file(const fs::path& target) { return target.parent_path() / (target.filename().string() + ".lock"); }

std::string changed_file_text(const fs::path& file, const std::optional<lock_owner>& by,
                              const Translator* tr) {
    if (by)
        return file_message(
            tr, "msg_FileChangedSinceReadBy",
            "Plik \"%s\" zmienił się od odczytu (otwarty przez %s na komputerze %s); nie został "
            "zapisany.",
            {file.string(), by->user, by->host});
    return file_message(tr, "msg_FileChangedSinceRead",
                        "Plik \"%s\" zmienił się od odczytu; nie został zapisany.", {file.string()});
}

bool read_lines_noted(read_fingerprints& seen, const fs::path& file, std::vector<std::string>& lines,
                      std::string& error) {
    std::string bytes;
    if (!read_bytes(file, bytes, error)) return false;
    seen[guard_key(file)] = fingerprint_of(file, bytes);
    lines = split_text_lines(cp1250_to_utf8(bytes));
    return true;
}

guarded_write_result write_bytes_if_unchanged(const fs::path& file, const std::string& bytes,
                                              const file_fingerprint* expected, const lock_owner& me,
                                              const Translator* tr) {
    guarded_write_result r;
    save_lock lock(file, me, std::chrono::seconds(10), tr);
    if (!lock.held()) {
        r.io = {lock.error()};
        return r;
    }
    // A file removed since the read holds nothing of anybody's to lose.
    const file_fingerprint now = current_fingerprint(file);
    if (expected && now.exists && !same_content(*expected, now)) {
        r.changed = true;
        if (auto owner = read_lock_file(open_lock_file(file)); owner && !is_this_process(*owner)) r.changedBy = owner;
        r.io = {changed_file_text(file, r.changedBy, tr)};
        return r;
    }
    r.io = write_bytes(file, bytes, tr);
    if (r.io.ok()) r.written = fingerprint_of(file, bytes);
    return r;
}

guarded_write_result write_guarded(read_fingerprints& seen, const fs::path& file, const std::string& bytes,
                                   const lock_owner& me, const Translator* tr) {
    const std::string key = guard_key(file);
    const auto it = seen.find(key);
    guarded_write_result r =
        write_bytes_if_unchanged(file, bytes, it == seen.end() ? nullptr : &it->second, me, tr);
    if (r.ok()) {
        seen[key] = r.written;
    } else if (!r.changed) {
        // A write that failed after its rename (the folder sync) still put our text there.
        const file_fingerprint now = current_fingerprint(file);
        if (same_content(now, fingerprint_of(file, bytes))) seen[key] = now;
    }
    return r;
}

}  // namespace planek
