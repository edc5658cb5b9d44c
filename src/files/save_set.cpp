#include "files/save_set.h"

#include <memory>
#include <system_error>

#include "files/save_journal.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

struct old_file {
    bool existed = false;
    std::string bytes;
};

// What the targets hold before the save, for putting them back.
io_result read_old_files(const save_set& set, std::vector<old_file>& old) {
    for (const staged_file& f : set.files) {
        old_file o;
        std::error_code ec;
        o.existed = fs::exists(f.target, ec);
        std::string error;
        if (o.existed && !read_bytes(f.target, o.bytes, error, kAnyFileBound, set.tr)) return {error};
        old.push_back(std::move(o));
    }
    return {};
}

// A process cut off where the write failed tidies nothing: what it left is
// what the next start finds.
void drop_temporaries(const std::vector<journal_entry>& entries) {
    if (write_cut_off()) return;
    for (const journal_entry& e : entries) {
        std::error_code ec;
        fs::remove(e.tmp, ec);
    }
}

// After a failed rename: every target already replaced gets its old text
// back, the files still waiting go. True when all targets are as before.
bool put_back(const std::vector<journal_entry>& entries, const std::vector<old_file>& old) {
    if (write_cut_off()) return false;
    bool whole = true;
    for (size_t i = 0; i < entries.size(); ++i) {
        std::error_code ec;
        if (fs::exists(entries[i].tmp, ec)) {
            fs::remove(entries[i].tmp, ec);
        } else if (old[i].existed) {
            whole = write_bytes(entries[i].target, old[i].bytes).ok() && whole;
        } else {
            whole = fs::remove(entries[i].target, ec) && whole;
        }
    }
    return whole;
}

}  // namespace

io_result commit_save_set(const save_set& set, const fs::path& journal_folder) {
    if (set.files.empty()) return {};
    if (set.files.size() == 1) return write_bytes(set.files.front().target, set.files.front().bytes, set.tr);
    std::vector<old_file> old;
    if (io_result r = read_old_files(set, old); !r) return r;

    std::vector<journal_entry> entries;
    for (size_t i = 0; i < set.files.size(); ++i) {
        const staged_file& f = set.files[i];
        fs::path tmp;
        if (io_result r = write_temporary(f.target, f.bytes, tmp, set.tr); !r) {
            drop_temporaries(entries);
            return r;
        }
        entries.push_back({f.target, tmp, old[i].existed ? bytes_hash(old[i].bytes) : "-", bytes_hash(f.bytes)});
    }
    // From here on the save can be finished even if this process dies.
    const fs::path journal = new_journal_name(journal_folder.empty() ? set.files.front().target.parent_path()
                                                                     : journal_folder);
    if (io_result r = write_journal(journal, entries, set.tr); !r) {
        drop_temporaries(entries);
        // A journal renamed into place whose folder sync failed goes too.
        if (!write_cut_off()) {
            std::error_code ec;
            fs::remove(journal, ec);
        }
        return r;
    }
    for (const journal_entry& e : entries) {
        if (io_result r = put_in_place(e.tmp, e.target, set.tr); !r) {
            std::error_code ec;
            // A journal left behind tells the next start the set is mixed.
            if (put_back(entries, old)) fs::remove(journal, ec);
            return r;
        }
    }
    std::error_code ec;
    fs::remove(journal, ec);
    return {};
}

set_write_result commit_guarded_save_set(save_set& set, const fs::path& journal_folder, read_fingerprints& seen,
                                         const lock_owner& me, const std::function<bool(staged_file&)>& rebase) {
    set_write_result r;
    std::vector<std::unique_ptr<save_lock>> locks;
    for (staged_file& f : set.files) {
        locks.push_back(std::make_unique<save_lock>(f.target, me, std::chrono::seconds(10), set.tr));
        if (!locks.back()->held()) {
            r.io = {locks.back()->error()};
            return r;
        }
        const auto it = seen.find(guard_key(f.target));
        if (it == seen.end()) continue;
        // A file removed since the read holds nothing of anybody's to lose.
        file_fingerprint now = current_fingerprint(f.target);
        // Under our lock nobody else can save it while this program's
        // changes go onto the newer text.
        if (now.exists && !same_content(it->second, now) && rebase && rebase(f)) now = current_fingerprint(f.target);
        if (now.exists && !same_content(seen.at(guard_key(f.target)), now)) {
            r.changed = true;
            r.changedFile = f.target;
            if (auto owner = read_lock_file(open_lock_file(f.target)); owner && !is_this_process(*owner))
                r.changedBy = owner;
            r.io = {changed_file_text(f.target, r.changedBy, set.tr)};
            return r;
        }
    }
    r.io = commit_save_set(set, journal_folder);
    for (const staged_file& f : set.files) {
        const file_fingerprint written = fingerprint_of(f.target, f.bytes);
        // A set that failed after its renames (the folder sync) still put our text there.
        if (r.io.ok() || same_content(current_fingerprint(f.target), written)) seen[guard_key(f.target)] = written;
    }
    if (r.io.ok() && set.files.size() == 1) r.written = fingerprint_of(set.files.front().target, set.files.front().bytes);
    return r;
}

}  // namespace planek
