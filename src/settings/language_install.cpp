#include "settings/language_install.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

#include "core/file_io.h"
#include "core/plan.h"
#include "core/sha256.h"
#include "core/text.h"
#include "settings/message_format.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

bool same_place(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

std::string folded(std::string_view s) {
    std::string out(trim(s));
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

// One line of a language file, without its line break. Section names and
// keys are plain ASCII, so the bytes need no decoding.
struct lng_line {
    std::string raw;      // as in the file, line break included
    std::string section;  // folded name of the section it belongs to
    std::string key;      // folded key; empty for anything but key=value
    bool header = false;
    bool blank = false;
};

std::vector<lng_line> parse_lines(const std::string& bytes) {
    std::vector<lng_line> out;
    std::string section;
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", pos);
        size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end != std::string::npos && bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n') ++next;
        if (end == std::string::npos) end = bytes.size();
        const std::string text = bytes.substr(pos, end - pos);
        lng_line l{bytes.substr(pos, next - pos), section, "", false, false};
        pos = next;
        const std::string t = trim(text);
        l.blank = t.empty();
        if (!t.empty() && t.front() == '[') {
            // As the language reader has it: "[" without a name and "]" opens
            // no section, and what follows belongs to none until the next one.
            const size_t close = t.find(']');
            section = close != std::string::npos && close > 1 ? folded(std::string_view(t).substr(1, close - 1))
                                                               : std::string("\n");
            l.section = section;
            l.header = true;
        } else if (const size_t eq = text.find('='); eq != std::string::npos && !t.empty() && t[0] != ';') {
            l.key = folded(std::string_view(text).substr(0, eq));
        }
        out.push_back(std::move(l));
    }
    return out;
}

// The text of a line without its line break.
std::string line_text(const std::string& raw) { return raw.substr(0, raw.find_first_of("\r\n")); }

void end_line(std::string& out, const std::string& nl) {
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += nl;
}

enum class lng_state { Missing, Unreadable, Current, Shipped, Users };

lng_state state_of(const fs::path& dst, const std::string& shipped, std::string& bytes) {
    std::error_code ec;
    if (!fs::exists(dst, ec)) return lng_state::Missing;
    std::string error;
    if (!read_bytes(dst, bytes, error)) return lng_state::Unreadable;  // never written over unseen
    if (bytes == shipped) return lng_state::Current;
    const auto& known = shipped_language_hashes();
    return std::find(known.begin(), known.end(), sha256_hex(bytes)) != known.end() ? lng_state::Shipped
                                                                                    : lng_state::Users;
}

}  // namespace

std::string add_missing_language_keys(const std::string& user, const std::string& shipped) {
    const std::vector<lng_line> mine = parse_lines(user);
    std::set<std::pair<std::string, std::string>> have;
    // Where each section of the user's file ends: after its last non-blank
    // line (of its last block, when a section is repeated).
    std::map<std::string, size_t> end_of;
    for (size_t i = 0; i < mine.size(); ++i) {
        if (!mine[i].key.empty()) have.emplace(mine[i].section, mine[i].key);
        if (!mine[i].blank) end_of[mine[i].section] = i + 1;
    }
    std::map<std::string, std::vector<std::string>> missing;  // by section
    std::vector<std::pair<std::string, std::string>> new_sections;  // folded name, header line
    for (const lng_line& l : parse_lines(shipped)) {
        if (l.header && !end_of.count(l.section) &&
            std::none_of(new_sections.begin(), new_sections.end(), [&](const auto& n) { return n.first == l.section; }))
            new_sections.emplace_back(l.section, trim(line_text(l.raw)));
        if (l.key.empty() || !have.emplace(l.section, l.key).second) continue;
        missing[l.section].push_back(line_text(l.raw));
    }
    if (missing.empty()) return user;

    const std::string nl = user.find("\r\n") != std::string::npos || user.find('\n') == std::string::npos ? "\r\n" : "\n";
    std::string out;
    for (size_t i = 0; i <= mine.size(); ++i) {
        for (const auto& [section, end] : end_of) {
            if (end != i || !missing.count(section)) continue;
            end_line(out, nl);
            for (const std::string& l : missing[section]) out += l + nl;
        }
        if (i < mine.size()) out += mine[i].raw;
    }
    for (const auto& [section, header] : new_sections) {
        auto it = missing.find(section);
        if (it == missing.end()) continue;
        end_line(out, nl);
        out += header + nl;
        for (const std::string& l : it->second) out += l + nl;
    }
    return out;
}

fs::path shipped_language_folder(const fs::path& exe_folder) {
    if (exe_folder.empty()) return {};
    std::error_code ec;
    fs::path dir = exe_folder;
    for (int up = 0; up < 3; ++up) {
        if (fs::is_regular_file(dir / "lang" / "polski.lng", ec)) return dir / "lang";
        if (fs::is_regular_file(dir / "share" / "planek" / "lang" / "polski.lng", ec))  // installed
            return dir / "share" / "planek" / "lang";
        if (!dir.has_parent_path() || dir.parent_path() == dir) break;
        dir = dir.parent_path();
    }
    return {};
}

int install_language_files(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::create_directories(to, ec);
    if (!fs::is_directory(to, ec)) return -1;
    int written = 0;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& src = it->path();
        std::error_code fec;
        if (src.extension() != ".lng" || !fs::is_regular_file(src, fec)) continue;
        std::string shipped, mine, error;
        if (!read_bytes(src, shipped, error)) return -1;
        const fs::path dst = to / src.filename();
        std::string bytes;
        switch (state_of(dst, shipped, mine)) {
            case lng_state::Current:
            case lng_state::Unreadable:
                continue;
            case lng_state::Missing:
            case lng_state::Shipped:
                bytes = shipped;
                break;
            case lng_state::Users:
                bytes = add_missing_language_keys(mine, shipped);
                if (bytes == mine) continue;
                break;
        }
        if (!write_bytes(dst, bytes)) return -1;
        ++written;
    }
    return ec ? -1 : written;
}

std::string language_files_not_installed(const Plan& plan) {
    return fill_message(plan.tr.msg("msg_LanguageFilesNotInstalled",
                                    "Nie udało się uzupełnić plików językowych w folderze %s."),
                        {plan.paths.lang.string()});
}

fs::path running_program_folder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

int ensure_language_files(const fs::path& lang_folder) {
    fs::path shipped = shipped_language_folder(running_program_folder());
    if (shipped.empty() || lang_folder.empty() || same_place(shipped, lang_folder)) return 0;
    return install_language_files(shipped, lang_folder);
}

}  // namespace planek
