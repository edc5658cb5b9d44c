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

fs::path temp_name(const fs::path& archive) {
    fs::path tmp = archive;
    tmp += ".tmp~";
    return tmp;
}

// Closes an archive opened for writing; removes the half-written file on
// any failure.
io_result finish_archive(zip_t* za, const fs::path& tmp, const fs::path& archive) {
    if (write_fault_due() || zip_close(za) != 0) {
        std::string why = zip_strerror(za);
        zip_discard(za);
        std::error_code ec;
        fs::remove(tmp, ec);
        return {"Nie można zapisać archiwum " + quoted(archive) + ": " + why};
    }
    std::error_code ec;
    if (write_fault_due())  // the test hook of file_io
        ec = std::make_error_code(std::errc::io_error);
    else
        fs::rename(tmp, archive, ec);
    if (ec) {
        const std::string why = ec.message();
        fs::remove(tmp, ec);
        return {"Nie można zapisać archiwum " + quoted(archive) + ": " + why};
    }
    return {};
}

zip_t* open_for_writing(const fs::path& tmp, const fs::path& archive, io_result& result) {
    int code = 0;
    zip_t* za = zip_open(tmp.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!za) result = {"Nie można utworzyć archiwum " + quoted(archive) + ": " + zip_error_text(code)};
    return za;
}

io_result add_source(zip_t* za, const std::string& name, zip_source_t* src, const fs::path& archive) {
    if (!src) return {"Nie można dodać pliku „" + name + "” do archiwum " + quoted(archive)};
    if (zip_file_add(za, name.c_str(), src, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
        zip_source_free(src);
        return {"Nie można dodać pliku „" + name + "” do archiwum " + quoted(archive) + ": " + zip_strerror(za)};
    }
    return {};
}

io_result abandon(zip_t* za, const fs::path& tmp, io_result why) {
    zip_discard(za);
    std::error_code ec;
    fs::remove(tmp, ec);
    return why;
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
    for (const fs::path& f : files) {
        std::error_code ec;
        if (!fs::is_regular_file(f, ec)) return {"Nie ma pliku " + quoted(f) + " do spakowania"};
    }
    io_result result;
    fs::path tmp = temp_name(archive);
    zip_t* za = open_for_writing(tmp, archive, result);
    if (!za) return result;
    std::set<std::string> names;
    for (const fs::path& f : files) {
        std::string name = f.filename().string();
        if (!names.insert(name).second)
            return abandon(za, tmp, {"Dwa pliki o nazwie „" + name + "” w archiwum " + quoted(archive)});
        zip_source_t* src = zip_source_file(za, f.string().c_str(), 0, -1);
        if (io_result r = add_source(za, name, src, archive); !r) return abandon(za, tmp, r);
    }
    return finish_archive(za, tmp, archive);
}

io_result archive_pack_members(const std::vector<archive_member>& members, const fs::path& archive) {
    io_result result;
    fs::path tmp = temp_name(archive);
    zip_t* za = open_for_writing(tmp, archive, result);
    if (!za) return result;
    for (const archive_member& m : members) {
        std::string name = archive_bare_name(m.name);
        if (name.empty()) return abandon(za, tmp, {"Niedozwolona nazwa pliku „" + m.name + "” w archiwum"});
        // libzip reads the buffer at close time; the members outlive that.
        zip_source_t* src = zip_source_buffer(za, m.bytes.data(), m.bytes.size(), 0);
        if (io_result r = add_source(za, name, src, archive); !r) return abandon(za, tmp, r);
    }
    return finish_archive(za, tmp, archive);
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
