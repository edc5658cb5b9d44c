#include "support/hostile_files.h"

#include <zip.h>

#include <cstring>
#include <stdexcept>

#include "core/file_io.h"
#include "files/archive.h"

namespace planek::test {

namespace fs = std::filesystem;

namespace {

void put32(std::string& zip, size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) zip[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
}

std::uint16_t get16(const std::string& zip, size_t at) {
    return std::uint16_t(std::uint8_t(zip[at]) | (std::uint8_t(zip[at + 1]) << 8));
}

std::uint32_t get32(const std::string& zip, size_t at) {
    return std::uint32_t(get16(zip, at)) | (std::uint32_t(get16(zip, at + 2)) << 16);
}

template <class F>
void each_header(std::string& zip, const std::string& sig, F&& f) {
    for (size_t at = zip.find(sig); at != std::string::npos; at = zip.find(sig, at + 1)) f(at);
}

const std::string kLocal("PK\x03\x04", 4), kCentral("PK\x01\x02", 4);

// A libzip source of zero bytes, so a member of gigabytes costs no memory.
struct zeros {
    std::uint64_t size = 0, at = 0;
};

zip_int64_t zeros_callback(void* state, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
    zeros* z = static_cast<zeros*>(state);
    switch (cmd) {
        case ZIP_SOURCE_OPEN: z->at = 0; return 0;
        case ZIP_SOURCE_READ: {
            const zip_uint64_t n = std::min<zip_uint64_t>(len, z->size - z->at);
            std::memset(data, 0, size_t(n));
            z->at += n;
            return zip_int64_t(n);
        }
        case ZIP_SOURCE_CLOSE: return 0;
        case ZIP_SOURCE_STAT: {
            zip_stat_t* st = static_cast<zip_stat_t*>(data);
            zip_stat_init(st);
            st->size = z->size;
            st->valid |= ZIP_STAT_SIZE;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR: return 2 * sizeof(int);
        case ZIP_SOURCE_FREE: return 0;
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default: return -1;
    }
}

}  // namespace

std::string zip_bytes(const std::vector<std::pair<std::string, std::string>>& members) {
    std::vector<archive_member> m;
    for (const auto& [name, bytes] : members) m.push_back({name, bytes});
    std::string out;
    if (!archive_bytes(m, "test.zip", out)) throw std::runtime_error("zip_bytes");
    return out;
}

std::string with_halved_sizes(std::string zip) {
    each_header(zip, kLocal, [&](size_t at) {
        put32(zip, at + 18, get32(zip, at + 18) / 2);
        put32(zip, at + 22, get32(zip, at + 22) / 2);
    });
    each_header(zip, kCentral, [&](size_t at) {
        put32(zip, at + 20, get32(zip, at + 20) / 2);
        put32(zip, at + 24, get32(zip, at + 24) / 2);
    });
    return zip;
}

std::string with_inflated_size(std::string zip, std::uint32_t inflated) {
    each_header(zip, kLocal, [&](size_t at) { put32(zip, at + 22, inflated); });
    each_header(zip, kCentral, [&](size_t at) { put32(zip, at + 24, inflated); });
    return zip;
}

std::string with_changed_data_byte(std::string zip) {
    const size_t at = zip.find(kLocal);
    const size_t data = at + 30 + get16(zip, at + 26) + get16(zip, at + 28);
    const std::uint32_t size = get32(zip, at + 18);
    zip[data + size / 2] = char(zip[data + size / 2] ^ 0x01);
    return zip;
}

void write_zip_with_zeros(const fs::path& file, const std::vector<std::pair<std::string, std::string>>& members,
                          const std::string& name, std::uint64_t size) {
    int code = 0;
    zip_t* za = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!za) throw std::runtime_error("zip_open");
    for (const auto& [n, bytes] : members)
        zip_file_add(za, n.c_str(), zip_source_buffer(za, bytes.data(), bytes.size(), 0), 0);
    static zeros state;
    state = {size, 0};
    zip_file_add(za, name.c_str(), zip_source_function(za, zeros_callback, &state), 0);
    if (zip_close(za) != 0) throw std::runtime_error("zip_close");
}

std::vector<cut_month> cuts_of(const std::string& month, double share) {
    const size_t around = size_t(double(month.size()) * share);
    const size_t lineEnd = month.find("\r\n", around);
    const size_t boundary = lineEnd == std::string::npos ? month.size() : lineEnd + 2;
    // Inside the next line with a value: after its "=".
    size_t mid = month.find('=', boundary);
    mid = mid == std::string::npos ? boundary : mid + 2;
    // The header: [info] and [okres], up to the empty line before the third section.
    size_t header = month.find("\r\n\r\n[");
    header = header == std::string::npos ? month.size() : month.find("\r\n\r\n[", header + 1);
    header = header == std::string::npos ? month.size() : header + 2;
    return {{"line boundary", month.substr(0, boundary)},
            {"mid-line", month.substr(0, mid)},
            {"after the header", month.substr(0, header)},
            {"empty", ""}};
}

}  // namespace planek::test
