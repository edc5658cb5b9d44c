#include "printouts/template_file.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "core/file_io.h"
#include "core/plan.h"
#include "core/text.h"
#include "printouts/generation.h"
#include "printouts/template_text.h"

namespace planek {
namespace fs = std::filesystem;

namespace {

constexpr int kMaxFolderDepth = 16;

void apply_key(const std::string& key, const std::string& value, szablon& t, const Plan* plan) {
    if (key == "<TITLE>") {
        t.title = value;
    } else if (key == "<FONT_SIZE>") {
        // A size that is no number (or no sensible size) keeps the default
        // instead of failing the whole template.
        auto n = parse_int(value);
        if (n && *n > 0 && *n <= 255) t.fontSize = int(*n);
    } else if (key == "<FONT_NAME>") {
        t.fontName = trim(value);
    } else if (key == "<TYPE>") {
        t.type = utf8_left(lower_text(trim(value)), 3);
    } else if (key == "<PAGE>") {
        t.page = named_page_orientation(value);
    } else if (key == "<FILE_NAME>") {
        t.outputName = plan ? gen_wypelnij_linie_plain(*plan, value, t.type) : value;
    }
}

bool mask_matches(const std::string& name, const std::string& mask) {
    // Only the "*.ext" masks are used.
    if (starts_with(mask, "*")) {
        std::string ext = lower_text(mask.substr(1));
        return ends_with(lower_text(name), ext);
    }
    return lower_text(name) == lower_text(mask);
}

void find_files(const Plan& plan, const fs::path& folder, const std::string& mask, int depth,
                std::vector<szablon>& out) {
    if (depth > kMaxFolderDepth) return;
    std::error_code ec;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(*it);
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
    for (const auto& e : entries) {
        std::string name = e.path().filename().string();
        if (!mask_matches(name, mask)) continue;
        std::error_code dirEc;
        if (e.is_directory(dirEc)) {
            // A folder is searched, never listed as a template of its own.
            if (!e.is_symlink(dirEc)) find_files(plan, e.path(), mask, depth + 1, out);
            continue;
        }
        out.push_back(info_plik(plan, e.path()));
    }
}

}  // namespace

void parse_header(const std::vector<std::string>& lines, szablon& t, const Plan* plan) {
    bool hasHeader = std::any_of(lines.begin(), lines.end(),
                                 [](const std::string& l) { return l.find("<HEADER>") != std::string::npos; });
    t.headerLines = 0;
    if (!hasHeader) return;
    std::string key, value;
    bool pending = false, closed = false;
    size_t n = 0;
    for (; n < lines.size() && !closed; ++n) {
        const std::string& line = lines[n];
        closed = line.find("</HEADER>") != std::string::npos;
        if (line.find("//") != std::string::npos) continue;
        size_t lt = line.find('<');
        size_t gt = lt == std::string::npos ? lt : line.find('>', lt);
        if (gt != std::string::npos) {
            key = line.substr(lt, gt - lt + 1);
            if (key.size() > 1 && key[1] == '/') key.erase(1, 1);
        }
        if (key.empty()) continue;
        const std::string closeForm = "</" + key.substr(1);
        size_t open = line.find(key);
        if (open != std::string::npos) {
            size_t from = open + key.size();
            size_t close = line.find(closeForm, from);
            if (close != std::string::npos) {
                apply_key(key, line.substr(from, close - from), t, plan);
                pending = false;
            } else {
                value = line.substr(from);
                pending = true;
            }
        } else if (pending) {
            size_t close = line.find(closeForm);
            if (close != std::string::npos) {
                apply_key(key, value + line.substr(0, close), t, plan);
                pending = false;
            } else {
                value += line;
            }
        }
    }
    t.headerLines = closed ? int(n) : 0;
}

szablon info_plik(const Plan& plan, const fs::path& path) {
    szablon t;
    t.path = path;
    std::vector<std::string> lines;
    std::string error;
    std::error_code ec;
    if (fs::is_regular_file(path, ec) && read_lines(path, lines, error, kTemplateFileBound))
        parse_header(lines, t, &plan);
    if (t.title.empty()) t.title = path.filename().string();
    t.outputName = czysc_nazwe_pliku(t.outputName);
    return t;
}

bool is_template_file(const fs::path& path) {
    std::vector<std::string> lines;
    std::string error;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec) || !read_lines(path, lines, error, kTemplateFileBound)) return false;
    szablon t;
    parse_header(lines, t, nullptr);
    return t.headerLines > 0;
}

std::vector<szablon> ZnajdzPliki(const Plan& plan, const fs::path& folder, const std::string& mask) {
    std::vector<szablon> out;
    find_files(plan, folder, mask, 0, out);
    return out;
}

std::string czysc_nazwe_pliku(const std::string& name) {
    static constexpr std::string_view bad = "*:<>?/\\\"|";
    std::string out;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) continue;
        out += bad.find(c) != std::string_view::npos ? '_' : c;
    }
    out = trim(out);
    // A trailing dot or blank would be dropped by some file systems and
    // change the name's meaning; a name of dots only would leave the folder.
    while (!out.empty() && (out.back() == '.' || out.back() == ' ')) out.pop_back();
    if (out.empty()) out = "document";
    if (out.size() > 200) out = utf8_left(out, 100);
    return out;
}

std::vector<std::string> konwertuj_tagi(const std::vector<std::string>& lines, const std::string& type) {
    const std::string open = tag_open_marker();
    const std::string close = tag_close_marker();
    const std::string L(kTagOpenL), R(kTagOpenR);
    std::set<std::string> seen;
    std::vector<std::string> out;
    for (const std::string& src : lines) {
        // Step 1: ASCII brackets to angle quotes.
        std::string line;
        size_t i = 0;
        while (i < src.size()) {
            bool opening = src.compare(i, 2, "<_") == 0;
            bool closing = src.compare(i, 2, "</") == 0;
            if (opening || closing) {
                size_t len = 0;
                std::string name = wyciagnij_nazwe(src, i + 2, &len);
                size_t gt = src.find('>', i + 2 + len);
                if (gt != std::string::npos && (opening || seen.count(name))) {
                    if (opening) seen.insert(name);
                    line += L + src.substr(i + 1, gt - i - 1) + R;
                    i = gt + 1;
                    continue;
                }
            }
            line += src[i++];
        }
        // Step 2: an opening tag starts a line, a closing tag ends one.
        std::string current;
        size_t p = 0;
        while (p < line.size()) {
            if (line.compare(p, open.size(), open) == 0) {
                if (!current.empty()) out.push_back(std::move(current));
                current.clear();
                current += open;
                p += open.size();
                continue;
            }
            if (line.compare(p, close.size(), close) == 0) {
                size_t r = line.find(R, p);
                if (r != std::string::npos) {
                    current += line.substr(p, r + R.size() - p);
                    p = r + R.size();
                    out.push_back(std::move(current));
                    current.clear();
                    continue;
                }
            }
            current += line[p++];
        }
        // A line that ended with a closing tag is already out.
        if (!current.empty() || line.empty()) out.push_back(std::move(current));
    }
    if (type == "htm")
        out.erase(std::remove_if(out.begin(), out.end(), [](const std::string& l) { return trim(l).empty(); }),
                  out.end());
    return out;
}

std::string przygotuj_tresc(const std::vector<std::string>& lines, const szablon& t) {
    std::vector<std::string> body;
    for (size_t i = size_t(std::max(t.headerLines, 0)); i < lines.size(); ++i)
        if (!starts_with(lines[i], "//")) body.push_back(lines[i]);
    body = konwertuj_tagi(body, t.type);
    std::string text;
    for (size_t i = 0; i < body.size(); ++i) {
        if (i) text += '\n';
        text += body[i];
    }
    if (text.find(tag_open_marker()) == std::string::npos) text += tag_open_marker() + std::string(kTagOpenR);
    return text;
}

std::string przygotuj_tresc(const szablon& t) {
    std::vector<std::string> lines;
    std::string error;
    if (!read_lines(t.path, lines, error, kTemplateFileBound)) return {};
    return przygotuj_tresc(lines, t);
}

std::filesystem::path language_template_folder(const Plan& plan) {
    namespace fs = std::filesystem;
    const fs::path& folder = plan.paths.templates;
    const std::string& language = plan.options.language;
    if (folder.empty() || language.empty() || language.find_first_of("/\\.") != std::string::npos) return folder;
    std::error_code ec;
    const fs::path own = folder / language;
    for (fs::directory_iterator it(own, ec), end; !ec && it != end; it.increment(ec))
        if (lower_pl(it->path().extension().string()) == ".wzr") return own;
    return folder;
}

}  // namespace planek
