#pragma once
// What a file was when this program read it, so a save can tell whether
// somebody else has written it since.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace planek {

struct file_fingerprint {
    bool exists = false;
    std::uintmax_t size = 0;
    std::int64_t mtime = 0;  // the file clock's ticks at the read
    std::string hash;        // SHA-256 of the bytes, hex
};

// The fingerprint of `bytes` just read from `file` (or written to it). The
// hash is of the bytes themselves, so a write slipping in between the read
// and the look at size and time is still seen as a change.
file_fingerprint fingerprint_of(const std::filesystem::path& file, const std::string& bytes);
// The fingerprint of a file as it is on disk now (absent when it is not there).
file_fingerprint current_fingerprint(const std::filesystem::path& file);

// Same content: both absent, or both there with the same size and hash. The
// time alone decides nothing: network file systems round it, and a copy
// back of the same bytes is no change.
bool same_content(const file_fingerprint& a, const file_fingerprint& b);

// The key under which a file's fingerprint is kept: absolute, normalised.
std::string guard_key(const std::filesystem::path& file);

// What this program read of the files it may write back, keyed by
// guard_key. A file without an entry was never read and is not checked.
using read_fingerprints = std::map<std::string, file_fingerprint>;

}  // namespace planek
