#include "files/archive.h"

#include <zip.h>

#include <cstdlib>
#include <set>
#include <system_error>

namespace planek {

namespace fs = std::filesystem;

namespace {

std::string quoted(const fs::path& p) { return "„" + p.string() + "”"; }

std::string zip_error_text(int code) {
    zip_error_t err;
    zip_error_init_with_code(&err, code);
    std::string text = zip_error_strerror(&err);
    zip_error_fini(&err);
    return text;
}

// The ZIP is built in memory and reaches the disk through the safe write of
// file_io (unique temporary name, fsync, rename, folder fsync), so an archive
// is exactly as safe as a plain file.
struct memory_zip {
    zip_source_t* source = nullptr;
    zip_t* za = nullptr;
    ~memory_zip() {
        if (za) zip_discard(za);
        if (source) zip_source_free(source);
    }
};

bool open_in_memory(memory_zip& m, const fs::path& archive, io_result& result) {
    zip_error_t err;
    zip_error_init(&err);
    m.source = zip_source_buffer_create(nullptr, 0, 0, &err);
    if (m.source) {
        zip_source_keep(m.source);  // kept past zip_close, to read the bytes back
        m.za = zip_open_from_source(m.source, ZIP_TRUNCATE, &err);
    }
    if (!m.za) result = {"Nie można utworzyć archiwum " + quoted(archive) + ": " + zip_error_strerror(&err)};
    zip_error_fini(&err);
    return m.za != nullptr;
}

// A ZIP with no members: only the end-of-archive record, which libzip does
// not write for an empty archive.
std::string empty_zip() { return std::string("PK\x05\x06", 4) + std::string(18, '\0'); }

io_result close_to_bytes(memory_zip& m, const fs::path& archive, std::string& bytes) {
    const bool empty = zip_get_num_entries(m.za, 0) == 0;
    if (write_fault_due() || zip_close(m.za) != 0) {
        const std::string why = zip_strerror(m.za);
        return {"Nie można zapisać archiwum " + quoted(archive) + ": " + why};
    }
    m.za = nullptr;
    if (empty) {
        bytes = empty_zip();
        return {};
    }
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(m.source, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) || zip_source_open(m.source) != 0)
        return {"Nie można zapisać archiwum " + quoted(archive) + ": " + zip_error_strerror(zip_source_error(m.source))};
    bytes.assign(st.size, '\0');
    const zip_int64_t got = st.size ? zip_source_read(m.source, bytes.data(), st.size) : 0;
    zip_source_close(m.source);
    if (got < 0 || zip_uint64_t(got) != st.size)
        return {"Nie można zapisać archiwum " + quoted(archive) + ": " + zip_error_strerror(zip_source_error(m.source))};
    return {};
}

io_result add_source(zip_t* za, const std::string& name, zip_source_t* src, const fs::path& archive) {
    if (!src) return {"Nie można dodać pliku „" + name + "” do archiwum " + quoted(archive)};
    if (zip_file_add(za, name.c_str(), src, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
        zip_source_free(src);
        return {"Nie można dodać pliku „" + name + "” do archiwum " + quoted(archive) + ": " + zip_strerror(za)};
    }
    return {};
}

io_result read_member(zip_t* za, zip_uint64_t index, const zip_stat_t& st, const fs::path& archive,
                      std::string& bytes) {
    std::string name = st.name ? st.name : "?";
    zip_file_t* zf = zip_fopen_index(za, index, 0);
    if (!zf) return {"Archiwum " + quoted(archive) + " jest uszkodzone (" + name + "): " + zip_strerror(za)};
    bytes.assign(st.size, '\0');
    zip_int64_t got = st.size ? zip_fread(zf, bytes.data(), st.size) : 0;
    std::string why = got < 0 ? zip_file_strerror(zf) : "";
    zip_fclose(zf);
    if (got < 0 || zip_uint64_t(got) != st.size)
        return {"Archiwum " + quoted(archive) + " jest uszkodzone (" + name + ")" + (why.empty() ? "" : ": " + why)};
    return {};
}

}  // namespace

std::string archive_bare_name(const std::string& member_name) {
    size_t cut = member_name.find_last_of("/\\");
    std::string bare = cut == std::string::npos ? member_name : member_name.substr(cut + 1);
    if (bare == "." || bare == "..") return {};
    return bare;
}

io_result archive_pack(const std::vector<fs::path>& files, const fs::path& archive) {
    std::vector<archive_member> members;
    std::set<std::string> names;
    for (const fs::path& f : files) {
        std::error_code ec;
        if (!fs::is_regular_file(f, ec)) return {"Nie ma pliku " + quoted(f) + " do spakowania"};
        archive_member m{f.filename().string(), {}};
        if (!names.insert(m.name).second) return {"Dwa pliki o nazwie „" + m.name + "” w archiwum " + quoted(archive)};
        std::string error;
        if (!read_bytes(f, m.bytes, error)) return {error};
        members.push_back(std::move(m));
    }
    return archive_pack_members(members, archive);
}

io_result archive_pack_members(const std::vector<archive_member>& members, const fs::path& archive) {
    std::string bytes;
    if (io_result r = archive_bytes(members, archive, bytes); !r) return r;
    return write_bytes(archive, bytes);
}

io_result archive_bytes(const std::vector<archive_member>& members, const fs::path& archive, std::string& bytes) {
    io_result result;
    memory_zip m;
    if (!open_in_memory(m, archive, result)) return result;
    for (const archive_member& member : members) {
        std::string name = archive_bare_name(member.name);
        if (name.empty()) return {"Niedozwolona nazwa pliku „" + member.name + "” w archiwum"};
        // libzip reads the buffer at close time; the members outlive that.
        zip_source_t* src = zip_source_buffer(m.za, member.bytes.data(), member.bytes.size(), 0);
        if (io_result r = add_source(m.za, name, src, archive); !r) return r;
    }
    return close_to_bytes(m, archive, bytes);
}

io_result archive_read(const fs::path& archive, std::vector<archive_member>& members) {
    members.clear();
    std::error_code ec;
    if (!fs::is_regular_file(archive, ec)) return {"Nie ma archiwum " + quoted(archive)};
    int code = 0;
    zip_t* za = zip_open(archive.string().c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!za) return {"Archiwum " + quoted(archive) + " jest uszkodzone: " + zip_error_text(code)};
    zip_int64_t count = zip_get_num_entries(za, 0);
    io_result result;
    std::uint64_t total = 0;
    if (count < 0 || std::uint64_t(count) > kMaxMembers)
        result = {"Archiwum " + quoted(archive) + " jest uszkodzone: zbyt wiele plików"};
    for (zip_int64_t i = 0; result.ok() && i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(za, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) ||
            !(st.valid & ZIP_STAT_SIZE)) {
            result = {"Archiwum " + quoted(archive) + " jest uszkodzone: " + zip_strerror(za)};
            break;
        }
        std::string name = archive_bare_name(st.name);
        if (name.empty()) continue;  // a folder, or a name that points nowhere
        total += st.size;
        if (st.size > kMaxMemberSize || total > kMaxArchiveSize) {
            result = {"Archiwum " + quoted(archive) + " jest uszkodzone: plik „" + name + "” jest zbyt duży"};
            break;
        }
        archive_member m{name, {}};
        result = read_member(za, zip_uint64_t(i), st, archive, m.bytes);
        if (result.ok()) members.push_back(std::move(m));
    }
    zip_discard(za);
    if (!result.ok()) members.clear();
    return result;
}

io_result archive_unpack(const fs::path& archive, const fs::path& target, std::vector<fs::path>* written) {
    if (written) written->clear();
    std::vector<archive_member> members;
    if (io_result r = archive_read(archive, members); !r) return r;
    std::error_code ec;
    fs::create_directories(target, ec);
    for (const archive_member& m : members) {
        fs::path out = target / m.name;
        if (io_result r = write_bytes(out, m.bytes); !r) return r;
        if (written) written->push_back(out);
    }
    return {};
}

}  // namespace planek
