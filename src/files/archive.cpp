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

bool open_in_memory(memory_zip& m, const fs::path& archive, io_result& result, const Translator* tr) {
    zip_error_t err;
    zip_error_init(&err);
    m.source = zip_source_buffer_create(nullptr, 0, 0, &err);
    if (m.source) {
        zip_source_keep(m.source);  // kept past zip_close, to read the bytes back
        m.za = zip_open_from_source(m.source, ZIP_TRUNCATE, &err);
    }
    if (!m.za)
        result = {file_message(tr, "msg_ArchiveNotMade", "Nie można utworzyć archiwum %s: %s",
                               {quoted(archive), zip_error_strerror(&err)})};
    zip_error_fini(&err);
    return m.za != nullptr;
}

// A ZIP with no members: only the end-of-archive record, which libzip does
// not write for an empty archive.
std::string empty_zip() { return std::string("PK\x05\x06", 4) + std::string(18, '\0'); }

io_result close_to_bytes(memory_zip& m, const fs::path& archive, std::string& bytes, const Translator* tr) {
    auto failed = [&](const std::string& why) {
        return io_result{file_message(tr, "msg_ArchiveNotWritten", "Nie można zapisać archiwum %s: %s",
                                      {quoted(archive), why})};
    };
    const bool empty = zip_get_num_entries(m.za, 0) == 0;
    if (write_fault_due() || zip_close(m.za) != 0) return failed(zip_strerror(m.za));
    m.za = nullptr;
    if (empty) {
        bytes = empty_zip();
        return {};
    }
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(m.source, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) || zip_source_open(m.source) != 0)
        return failed(zip_error_strerror(zip_source_error(m.source)));
    bytes.assign(st.size, '\0');
    const zip_int64_t got = st.size ? zip_source_read(m.source, bytes.data(), st.size) : 0;
    zip_source_close(m.source);
    if (got < 0 || zip_uint64_t(got) != st.size)
        return failed(zip_error_strerror(zip_source_error(m.source)));
    return {};
}

io_result add_source(zip_t* za, const std::string& name, zip_source_t* src, const fs::path& archive,
                     const Translator* tr) {
    auto failed = [&](const std::string& why) {
        return io_result{file_message(tr, "msg_ArchiveMemberNotAdded",
                                      "Nie można dodać pliku „%s” do archiwum %s%s",
                                      {name, quoted(archive), why})};
    };
    if (!src) return failed("");
    if (zip_file_add(za, name.c_str(), src, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
        zip_source_free(src);
        return failed(std::string(": ") + zip_strerror(za));
    }
    return {};
}

// An open archive, from a file or from memory, closed without writing.
struct read_zip {
    zip_t* za = nullptr;
    ~read_zip() {
        if (za) zip_discard(za);
    }
};

archive_check fault(archive_fault f, std::string member = {}, std::string detail = {}) {
    return {f, std::move(member), std::move(detail)};
}

archive_check open_file(const fs::path& archive, read_zip& z) {
    std::error_code ec;
    if (!fs::is_regular_file(archive, ec)) return fault(archive_fault::missing);
    int code = 0;
    z.za = zip_open(archive.string().c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!z.za) return fault(archive_fault::not_an_archive, {}, zip_error_text(code));
    return {};
}

archive_check open_bytes(const std::string& zip, read_zip& z) {
    zip_error_t err;
    zip_error_init(&err);
    zip_source_t* src = zip_source_buffer_create(zip.data(), zip.size(), 0, &err);
    if (src) {
        z.za = zip_open_from_source(src, ZIP_RDONLY | ZIP_CHECKCONS, &err);
        if (!z.za) zip_source_free(src);
    }
    archive_check r;
    if (!z.za) r = fault(archive_fault::not_an_archive, {}, zip_error_strerror(&err));
    zip_error_fini(&err);
    return r;
}

// Inflates one member into `bytes`, checked against the size the archive
// states before a byte is inflated, and whole: one byte more than stated
// means the stated size lies, and only the read that finds the end makes
// libzip compare the CRC.
archive_check read_member(zip_t* za, zip_uint64_t index, const zip_stat_t& st, std::uint64_t bound,
                          std::string& bytes) {
    const std::string name = st.name ? st.name : "?";
    if (st.size > bound) return fault(archive_fault::too_large, name);
    zip_file_t* zf = zip_fopen_index(za, index, 0);
    if (!zf) return fault(archive_fault::damaged, name, zip_strerror(za));
    bytes.assign(size_t(st.size), '\0');
    const zip_int64_t got = st.size ? zip_fread(zf, bytes.data(), st.size) : 0;
    char beyond = 0;
    const zip_int64_t more = got < 0 || zip_uint64_t(got) != st.size ? 0 : zip_fread(zf, &beyond, 1);
    std::string why = got < 0 || more < 0 ? zip_file_strerror(zf) : "";
    const int closed = zip_fclose(zf);
    if (why.empty() && closed != 0) why = zip_error_text(closed);
    if (got < 0 || more != 0 || zip_uint64_t(got) != st.size || closed != 0) {
        bytes.clear();
        return fault(archive_fault::damaged, name, why);
    }
    return {};
}

bool same_name(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] - 'A' + 'a') : a[i];
        const char y = b[i] >= 'A' && b[i] <= 'Z' ? char(b[i] - 'A' + 'a') : b[i];
        if (x != y) return false;
    }
    return true;
}

archive_check read_named(zip_t* za, const std::string& name, std::uint64_t bound, std::string& bytes) {
    const zip_int64_t count = zip_get_num_entries(za, 0);
    if (count < 0 || std::uint64_t(count) > kMaxMembers) return fault(archive_fault::too_many_members);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(za, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) ||
            !(st.valid & ZIP_STAT_SIZE))
            return fault(archive_fault::damaged, {}, zip_strerror(za));
        if (same_name(archive_bare_name(st.name), name)) return read_member(za, zip_uint64_t(i), st, bound, bytes);
    }
    return fault(archive_fault::no_member, name);
}

std::string fault_text(const Translator* tr, const fs::path& archive, const archive_check& c) {
    static const Translator none;
    return archive_fault_text(tr ? *tr : none, archive, c);
}

}  // namespace

std::string archive_bare_name(const std::string& member_name) {
    size_t cut = member_name.find_last_of("/\\");
    std::string bare = cut == std::string::npos ? member_name : member_name.substr(cut + 1);
    if (bare == "." || bare == "..") return {};
    return bare;
}

io_result archive_pack(const std::vector<fs::path>& files, const fs::path& archive, const Translator* tr) {
    std::vector<archive_member> members;
    std::set<std::string> names;
    for (const fs::path& f : files) {
        std::error_code ec;
        if (!fs::is_regular_file(f, ec))
            return {file_message(tr, "msg_NoFileToPack", "Nie ma pliku %s do spakowania", {quoted(f)})};
        archive_member m{f.filename().string(), {}};
        if (!names.insert(m.name).second)
            return {file_message(tr, "msg_ArchiveTwoFiles", "Dwa pliki o nazwie „%s” w archiwum %s",
                                 {m.name, quoted(archive)})};
        std::string error;
        if (!read_bytes(f, m.bytes, error, kAnyFileBound, tr)) return {error};
        members.push_back(std::move(m));
    }
    return archive_pack_members(members, archive, tr);
}

io_result archive_pack_members(const std::vector<archive_member>& members, const fs::path& archive,
                               const Translator* tr) {
    std::string bytes;
    if (io_result r = archive_bytes(members, archive, bytes, tr); !r) return r;
    return write_bytes(archive, bytes, tr);
}

io_result archive_bytes(const std::vector<archive_member>& members, const fs::path& archive,
                        std::string& bytes, const Translator* tr) {
    io_result result;
    memory_zip m;
    if (!open_in_memory(m, archive, result, tr)) return result;
    for (const archive_member& member : members) {
        std::string name = archive_bare_name(member.name);
        if (name.empty())
            return {file_message(tr, "msg_ArchiveBadName", "Niedozwolona nazwa pliku „%s” w archiwum",
                                 {member.name})};
        // libzip reads the buffer at close time; the members outlive that.
        zip_source_t* src = zip_source_buffer(m.za, member.bytes.data(), member.bytes.size(), 0);
        if (io_result r = add_source(m.za, name, src, archive, tr); !r) return r;
    }
    return close_to_bytes(m, archive, bytes, tr);
}

io_result archive_read(const fs::path& archive, std::vector<archive_member>& members, const Translator* tr) {
    members.clear();
    read_zip z;
    archive_check r = open_file(archive, z);
    const zip_int64_t count = r.ok() ? zip_get_num_entries(z.za, 0) : 0;
    if (r.ok() && (count < 0 || std::uint64_t(count) > kMaxMembers)) r = fault(archive_fault::too_many_members);
    std::uint64_t total = 0;
    for (zip_int64_t i = 0; r.ok() && i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(z.za, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) ||
            !(st.valid & ZIP_STAT_SIZE)) {
            r = fault(archive_fault::damaged, {}, zip_strerror(z.za));
            break;
        }
        std::string name = archive_bare_name(st.name);
        if (name.empty()) continue;  // a folder, or a name that points nowhere
        total += st.size;
        if (total > kMaxArchiveSize) {
            r = fault(archive_fault::too_large, name);
            break;
        }
        archive_member m{name, {}};
        r = read_member(z.za, zip_uint64_t(i), st, kMaxMemberSize, m.bytes);
        if (r.ok()) members.push_back(std::move(m));
    }
    if (r.ok()) return {};
    members.clear();
    return {fault_text(tr, archive, r)};
}

archive_check archive_read_member(const fs::path& archive, const std::string& name, std::string& bytes,
                                  std::uint64_t bound) {
    bytes.clear();
    read_zip z;
    if (archive_check r = open_file(archive, z); !r.ok()) return r;
    return read_named(z.za, name, bound, bytes);
}

archive_check archive_read_member_bytes(const std::string& zip, const std::string& name, std::string& bytes,
                                        std::uint64_t bound) {
    bytes.clear();
    read_zip z;
    if (archive_check r = open_bytes(zip, z); !r.ok()) return r;
    return read_named(z.za, name, bound, bytes);
}

std::string archive_fault_text(const Translator& tr, const fs::path& archive, const archive_check& c) {
    const std::string why = c.detail.empty() ? std::string() : " (" + c.detail + ")";
    auto text = [&](const char* key, const char* polish, std::initializer_list<std::string> args) {
        std::string t = tr.msg(key, polish);
        size_t from = 0;
        for (const std::string& a : args) {
            const size_t at = t.find("%s", from);
            if (at == std::string::npos) break;
            t.replace(at, 2, a);
            from = at + a.size();
        }
        return t;
    };
    switch (c.fault) {
        case archive_fault::none: break;
        case archive_fault::missing:
            return text("msg_ArchiveMissing", "Nie ma archiwum %s.", {quoted(archive)});
        case archive_fault::not_an_archive:
            return text("msg_ArchiveUnreadable", "Archiwum %s jest uszkodzone: nie da się go otworzyć%s.",
                        {quoted(archive), why});
        case archive_fault::damaged:
            return text("msg_ArchiveMemberDamaged",
                        "Archiwum %s jest uszkodzone: plik „%s” nie zgadza się z sumą kontrolną lub rozmiarem "
                        "zapisanym w archiwum%s.",
                        {quoted(archive), c.member, why});
        case archive_fault::too_large:
            return text("msg_ArchiveMemberTooLarge",
                        "Archiwum %s jest uszkodzone: plik „%s” jest zbyt duży (ponad %s MB).",
                        {quoted(archive), c.member, std::to_string(kMaxMemberSize >> 20)});
        case archive_fault::too_many_members:
            return text("msg_ArchiveTooManyFiles", "Archiwum %s jest uszkodzone: zbyt wiele plików.",
                        {quoted(archive)});
        case archive_fault::no_member:
            return text("msg_NoStaffInArchive", "Archiwum %s nie zawiera pliku %s.", {quoted(archive), c.member});
    }
    return {};
}

io_result archive_unpack(const fs::path& archive, const fs::path& target, std::vector<fs::path>* written,
                         const Translator* tr) {
    if (written) written->clear();
    std::vector<archive_member> members;
    if (io_result r = archive_read(archive, members, tr); !r) return r;
    std::error_code ec;
    fs::create_directories(target, ec);
    for (const archive_member& m : members) {
        fs::path out = target / m.name;
        if (io_result r = write_bytes(out, m.bytes, tr); !r) return r;
        if (written) written->push_back(out);
    }
    return {};
}

}  // namespace planek
