#include "core/file_fingerprint.h"

#include "core/file_io.h"
#include "core/sha256.h"

namespace planek {

namespace fs = std::filesystem;

file_fingerprint fingerprint_of(const fs::path& file, const std::string& bytes) {
    file_fingerprint f;
    f.exists = true;
    f.size = bytes.size();
    f.hash = sha256_hex(bytes);
    std::error_code ec;
    const auto t = fs::last_write_time(file, ec);
    if (!ec) f.mtime = std::int64_t(t.time_since_epoch().count());
    return f;
}

file_fingerprint current_fingerprint(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec)) return {};
    std::string bytes, error;
    if (!read_bytes(file, bytes, error)) {
        // There but unreadable: never equal to anything read before.
        file_fingerprint f;
        f.exists = true;
        f.hash = "?";
        return f;
    }
    return fingerprint_of(file, bytes);
}

bool same_content(const file_fingerprint& a, const file_fingerprint& b) {
    if (a.exists != b.exists) return false;
    return !a.exists || (a.size == b.size && a.hash == b.hash);
}

std::string guard_key(const fs::path& file) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(fs::absolute(file, ec), ec);
    if (ec) p = fs::absolute(file, ec).lexically_normal();
    return p.string();
}

}  // namespace planek
