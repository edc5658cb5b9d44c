#include "printouts/generation.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "calendar/duty_filter.h"
#include "calendar/refresh_hooks.h"
#include "calendar/staffing.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/plan.h"
#include "core/text.h"
#include "printouts/page_orientation.h"
#include "printouts/template_text.h"
#include "printouts/variables.h"
#include "settings/message_format.h"

namespace planek {
namespace fs = std::filesystem;

namespace {

// The workers a worker tag repeats over, as worker table indexes.
std::vector<int> worker_order(const gen_run& run, const tag_node& node, const gen_line* inherit) {
    const Plan& plan = run.plan;
    std::vector<int> list = listed_workers(plan);
    std::string sort = sort_attribute(node.attrs);
    if (sort == "name") {
        std::vector<std::pair<std::string, int>> keyed;
        for (size_t i = 0; i < list.size(); ++i) {
            const prac& w = plan.workers[list[i]];
            char pos[16];
            std::snprintf(pos, sizeof pos, "%03d", int(i));
            keyed.emplace_back(w.surname + " " + w.firstName + pos, list[i]);
        }
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return compare_pl(a.first, b.first) < 0; });
        for (size_t i = 0; i < keyed.size(); ++i) list[i] = keyed[i].second;
    } else if (sort == "duty_from" && node.parent >= 0 && run.tree.nodes[node.parent].caption == "day" &&
               inherit && inherit->day >= 0) {
        // The day's workers by the start of their first duty that day; the
        // workers without a duty that day are left out.
        int month = inherit->month >= 0 ? inherit->month : plan.currentMonth;
        std::vector<std::pair<int, int>> starts;
        for (int w : list) {
            const ms_* m = worker_period_month(plan, w, month);
            if (!m || inherit->day >= kMaxDays || m->duties[inherit->day].empty()) continue;
            int first = 1 << 30;
            for (const dyzur& d : m->duties[inherit->day]) first = std::min(first, int(d.start));
            starts.emplace_back(first, w);
        }
        std::stable_sort(starts.begin(), starts.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        list.clear();
        for (const auto& s : starts) list.push_back(s.second);
    }
    return list;
}

bool worker_has_worked(const Plan& plan, int w) {
    const prac& p = plan.workers[w];
    // The plan has no switch for days off shown in the window, so the day-off
    // kinds always count: a worker off for the whole period stays listed.
    (void)plan;
    long long sum = p.sum.period.periodDutyMinutes + p.sum.period.periodCreditedMinutes;
    for (long long m : p.sum.period.dayOffMinutes) sum += m;
    return sum != 0;
}

const ms_* context_month(const Plan& plan, const gen_line& ctx) {
    int month = ctx.month >= 0 ? ctx.month : plan.currentMonth;
    return worker_period_month(plan, ctx.worker, month);
}

int month_days(const Plan& plan, int m) {
    if (m >= 0 && m < int(plan.months.size()) && plan.months[m].dayCount) return std::min<int>(plan.months[m].dayCount, kMaxDays);
    return std::min<int>(int(plan.days.size()), kMaxDays);
}

struct range {
    int from = 0;
    int to = 0;  // inclusive; to < from = not repeated
};

range node_range(gen_run& run, int id, const gen_line* inherit, std::vector<int>& workers) {
    const Plan& plan = run.plan;
    const tag_node& node = run.tree.nodes[id];
    const repeat_kind c = run.nodeKinds[id];
    if (c == repeat_kind::day) return {0, month_days(plan, inherit && inherit->month >= 0 ? inherit->month : plan.currentMonth) - 1};
    if (c == repeat_kind::dayoff_desc) return {0, int(plan.options.dayOffKinds.size()) - 1};
    if (c == repeat_kind::dayoff) {
        const ms_* m = worker_period_month(plan, plan.currentWorker, plan.currentMonth);
        int d = plan.selectedCellDay;
        if (!m || d < 0 || d >= kMaxDays) return {0, -1};
        const wolne_& s = m->daysOff[d];
        const wolne_* head = s.used() ? &s : (s.headIndex < kMaxDays ? &m->daysOff[s.headIndex] : nullptr);
        if (!head || !head->used()) return {0, -1};
        return {head->dayFrom - 1, std::min<int>(head->dayTo, kMaxDays) - 1};
    }
    if (c == repeat_kind::worker) {
        workers = worker_order(run, node, inherit);
        return {0, int(workers.size()) - 1};
    }
    if (c == repeat_kind::shift) return {0, plan.group() ? int(plan.group()->shifts.size()) - 1 : -1};
    if (c == repeat_kind::group) return {0, int(plan.groups.size()) - 1};
    if (c == repeat_kind::month) return {0, int(plan.months.size()) - 1};
    if (c == repeat_kind::duty8from) return {0, int(run.duty8.size()) - 1};
    if (c == repeat_kind::duty || c == repeat_kind::overt) {
        if (!inherit || inherit->worker < 0 || inherit->day < 0 || inherit->month < 0) return {0, -1};
        const ms_* m = context_month(plan, *inherit);
        if (!m || inherit->day >= kMaxDays) return {0, -1};
        return {0, int(m->duties[inherit->day].size()) - 1};
    }
    return {0, 0};
}

bool keep_duty(const gen_run& run, const gen_line* inherit, int k) {
    const Plan& plan = run.plan;
    const ms_* m = context_month(plan, *inherit);
    const dyzur& d = m->duties[inherit->day][k];
    if (!duty_kind_ticked(plan, d)) return false;
    if (!run.state.allGroups) {
        const grupa* g = plan.group();
        if (!g || d.groupId != g->id) return false;
    }
    return true;
}

void replicate_node(gen_run& run, int id) {
    const tag_node& node = run.tree.nodes[id];
    const repeat_kind kind = run.nodeKinds[id];
    const bool top = node.depth == 0;
    const bool isDay = kind == repeat_kind::day || kind == repeat_kind::dayoff || kind == repeat_kind::dayoff_desc;
    const bool isWorker = kind == repeat_kind::worker;
    const bool isShift = kind == repeat_kind::shift || kind == repeat_kind::duty8from;
    const bool isGroup = kind == repeat_kind::group;
    const bool isMonth = kind == repeat_kind::month;
    const bool isDuty = kind == repeat_kind::duty || kind == repeat_kind::overt;
    gen_line inheritCopy;
    const gen_line* inherit = nullptr;
    if (!top && !run.lines.empty()) {
        inheritCopy = run.lines.back();
        inherit = &inheritCopy;
    }
    std::vector<int> workers;
    range r = node_range(run, id, inherit, workers);
    for (int k = r.from; k <= r.to; ++k) {
        if (run.lines.size() >= kMaxLineRecords) {
            run.truncated = true;
            return;
        }
        if (isDuty && !keep_duty(run, inherit, k)) continue;
        if (isWorker && run.state.onlyWorked && !worker_has_worked(run.plan, workers[k])) continue;
        gen_line rec;
        // The text stays in the tree: a large body repeated many times is
        // not copied into every record.
        rec.node = id;
        rec.level = node.depth;
        rec.month = run.plan.currentMonth;
        if (isDay) rec.day = k;
        else if (isWorker) rec.worker = workers[k];
        else if (isShift) {
            rec.shift = k;
            rec.duty8 = kind == repeat_kind::duty8from;
        } else if (isGroup) rec.group = k;
        else if (isMonth) rec.month = k;
        else if (isDuty) rec.duty = k;
        if (!top && !run.lines.empty()) {
            const gen_line& prev = run.lines.back();
            // An overtime list is a duty list: it keeps its day like one.
            if (prev.day >= 0 && !isDay) rec.day = prev.day;
            if (prev.worker >= 0 && !isWorker) rec.worker = prev.worker;
            if (prev.shift >= 0 && !isShift) {
                rec.shift = prev.shift;
                rec.duty8 = prev.duty8;
            }
            if (prev.group >= 0 && !isGroup) rec.group = prev.group;
            if (prev.month >= 0 && !isMonth) rec.month = prev.month;
        }
        run.lines.push_back(rec);
        gen_drzewo_replikator(run, id);
    }
}

// Nothing but spaces and control characters, as trim() sees them; without
// the copy trim() would make of every line.
bool is_blank(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

bool keep_overtime_record(const gen_run& run, const gen_line& ctx) {
    const ms_* m = context_month(run.plan, ctx);
    if (!m || ctx.day < 0 || ctx.day >= kMaxDays || ctx.duty < 0 || ctx.duty >= int(m->duties[ctx.day].size()))
        return false;
    const dyzur& d = m->duties[ctx.day][ctx.duty];
    if (d.overtime == 0 && !d.alsoOvertime) return false;
    return !(run.state.withoutMedical && d.medical);
}

std::string to_crlf(const std::string& s) {
    std::string out;
    out.reserve(s.size() + s.size() / 16);
    size_t from = 0;
    for (size_t nl; (nl = s.find('\n', from)) != std::string::npos; from = nl + 1) {
        out.append(s, from, nl - from);
        if (nl == 0 || s[nl - 1] != '\r') out += '\r';
        out += '\n';
    }
    out.append(s, from, std::string::npos);
    return out;
}

// A harmless file extension from the template's type.
std::string output_extension(const std::string& type) {
    std::string ext;
    for (char c : type)
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) ext += c;
    return ext.empty() ? "txt" : ext;
}

std::string document_bytes(gen_run& run) {
    if (run.tmpl.type == "rtf") {
        std::vector<std::string> lines = run.rtf.lines();
        lines.insert(lines.end() - 1, kRtfPageSetup);
        std::string out;
        for (const std::string& l : lines) out += l + "\r\n";
        return out;
    }
    std::string text;
    size_t size = 0;
    for (const std::string& line : run.output) size += line.size() + 1;
    text.reserve(size);
    for (size_t i = 0; i < run.output.size(); ++i) {
        if (i) text += "\n";
        text += run.output[i];
    }
    if (run.state.clearAutoEols) {
        text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }),
                   text.end());
    }
    replace_all(text, "|eol|", "\n");
    if (run.tmpl.page && run.tmpl.type == "htm") text = with_page_rule(text, *run.tmpl.page);
    return utf8_to_cp1250_lossy(to_crlf(text));
}

}  // namespace

repeat_kind repeat_kind_of(const std::string& caption) {
    static const std::pair<const char*, repeat_kind> kinds[] = {
        {"day", repeat_kind::day},     {"dayoff", repeat_kind::dayoff},         {"dayoff_desc", repeat_kind::dayoff_desc},
        {"worker", repeat_kind::worker}, {"shift", repeat_kind::shift},         {"duty8from", repeat_kind::duty8from},
        {"group", repeat_kind::group}, {"month", repeat_kind::month},           {"duty", repeat_kind::duty},
        {"overt", repeat_kind::overt},
    };
    for (const auto& [name, kind] : kinds)
        if (caption == name) return kind;
    return repeat_kind::other;
}

gen_line with_defaults(const Plan& plan, gen_line ctx) {
    if (ctx.worker < 0) ctx.worker = plan.currentWorker;
    if (ctx.group < 0) ctx.group = plan.currentGroup;
    if (ctx.day < 0) ctx.day = plan.selectedCellDay >= 0 ? plan.selectedCellDay : 0;
    if (ctx.month < 0) ctx.month = plan.currentMonth;
    return ctx;
}

void gen_drzewo_replikator(gen_run& run, int parent, size_t first) {
    // The tree does not change while it is repeated.
    const std::vector<int>& siblings = run.tree.siblings(parent);
    for (size_t i = first; i < siblings.size() && !run.truncated; ++i) replicate_node(run, siblings[i]);
}

variable_text parse_variable_text(const std::string& textIn) {
    variable_text v;
    std::string text = textIn;
    replace_all(text, kCurrency, "");
    if (text.find(' ') != std::string::npos && text.find('|') == std::string::npos) text.erase(text.find(' '));
    // Parameters: name|p1|p2|p3.
    std::vector<std::string> parts;
    for (size_t pos = 0;;) {
        size_t bar = text.find('|', pos);
        std::string part = text.substr(pos, bar == std::string::npos ? std::string::npos : bar - pos);
        replace_all(part, "'", "");
        parts.push_back(part);
        if (bar == std::string::npos) break;
        pos = bar + 1;
    }
    v.name = parts[0];
    if (parts.size() >= 2) v.p1 = parts[1];
    if (parts.size() == 3 || parts.size() == 4) {
        v.yes = parts[1];
        v.no = parts[2];
    }
    if (parts.size() >= 4 && !parts[3].empty()) {
        std::string cond = parts[3];
        replace_all(cond, ">=", kAtLeast);
        replace_all(cond, "<=", kAtMost);
        replace_all(cond, "<>", kNotEqual);
        size_t n = utf8_char_len(cond, 0);
        v.condition = true;
        v.op = cond.substr(0, n);
        v.operand = cond.substr(n);
    }
    // Time format.
    if (ends_with(v.name, ":") && !is_known_variable(v.name)) {
        v.plain = true;
        v.name.pop_back();
    }
    if (ends_with(v.name, "#") && !is_known_variable(v.name)) {
        v.decimal = true;
        v.name.pop_back();
    }
    // Flags: a trailing "0" or "_" that is not part of a known name.
    if ((ends_with(v.name, "0") || ends_with(v.name, "_")) && !is_known_variable(v.name)) {
        v.flag = v.name.back();
        v.name.pop_back();
    }
    v.entry = find_variable(v.name);
    return v;
}

std::string gen_zamien(gen_run& run, const std::string& text, const std::string& format, const gen_line& ctx) {
    // A ward's printout evaluates the same few variable texts a hundred
    // thousand times: each is taken apart once per run.
    auto found = run.variableTexts.find(text);
    if (found == run.variableTexts.end()) found = run.variableTexts.emplace(text, parse_variable_text(text)).first;
    const variable_text& v = found->second;

    var_call call{run, ctx, format, "htm", v.p1, v.yes, v.no};
    const std::string& op = v.op;
    std::string operand;
    if (v.condition) operand = call.expand_txt(v.operand);
    call.timeFmt = v.plain ? "txt" : "htm";
    if (v.decimal) call.timeFmt += "#";
    else if (v.plain && run.state.timeSep != ':') call.timeFmt += run.state.timeSep;
    const std::string& name = v.name;
    const char flag = v.flag;
    std::string value = v.entry ? v.entry->fn(call) : evaluate_variable(call, name);
    if (value == "0" || value == "00:00") value = "&nbsp;";
    if (flag == '0' && (value == "&nbsp;" || value.empty())) value = "0";
    if (flag == '_' && value == "&nbsp;") value.clear();
    if (op != "?" && operand != "?") {
        auto a = parse_real(value);
        auto b = parse_real(operand);
        bool holds = false;
        if (a && b) {
            if (op == "<") holds = *a < *b;
            else if (op == "=") holds = *a == *b;
            else if (op == ">") holds = *a > *b;
            else if (op == kNotEqual) holds = *a != *b;
            else if (op == kAtMost) holds = *a <= *b;
            else if (op == kAtLeast) holds = *a >= *b;
        } else {
            holds = op == "=" && value == operand;
        }
        value = call.yesno(holds);
    }
    return value;
}

std::string gen_wypelnij_linie(gen_run& run, const std::string& line, const std::string& format, const gen_line& ctx,
                               bool toRtf, const std::vector<var_site>* sites) {
    std::vector<var_site> found;
    if (!sites) {
        found = variable_sites(line, {});
        sites = &found;
    }
    std::string out;
    out.reserve(line.size());
    const std::string_view text = line;
    size_t pos = 0;
    for (const var_site& site : *sites) {
        std::string value = gen_zamien(run, site.name, format, ctx);
        const std::string_view before = text.substr(pos, site.at - pos);
        out += before;
        out += value;
        if (toRtf) {
            run.rtf.text(std::string(before), false);
            run.rtf.text(value, true);
        }
        pos = site.at + 2 + site.length;
    }
    const std::string_view rest = text.substr(pos);
    out += rest;
    if (toRtf) run.rtf.text(std::string(rest), false);
    return out;
}

std::string gen_wypelnij_linie_plain(const Plan& plan, const std::string& line, const std::string& format) {
    gen_run run(plan);
    return gen_wypelnij_linie(run, line, format, with_defaults(plan, gen_line{}));
}

fs::path printouts_folder(const Plan& plan) {
    if (plan.options.net.PrintoutOnlyAccepted && plan.approvedStatus != 1 && !plan.paths.root.empty())
        return plan.paths.root / "wydruki";
    return plan.paths.printouts;
}

void remember_template(Plan& plan, const std::string& path) {
    if (path.find("autosave") != std::string::npos) return;
    auto& recent = plan.options.recentTemplates;
    std::vector<std::string> list{path};
    for (const std::string& p : recent)
        if (!p.empty() && p != path && list.size() < recent.size()) list.push_back(p);
    for (size_t i = 0; i < recent.size(); ++i) recent[i] = i < list.size() ? list[i] : std::string();
}

gen_result gen_wypelnij_wzorzec(Plan& plan, gen_run& run, const fs::path& templatePath, const gen_options& options) {
    gen_result result;
    run.rtf.clear();
    std::error_code ec;
    if (!fs::is_regular_file(templatePath, ec)) {
        result.error = fill_message(plan.tr.msg("msg_NoTemplateFile", "Brak pliku szablonu: %s"),
                                    {templatePath.string()});
        return result;
    }
    run.tmpl = info_plik(plan, templatePath);
    run.html = run.tmpl.type == "htm";
    run.rtf.set_font(run.tmpl.fontName, run.tmpl.fontSize);
    std::string body = przygotuj_tresc(run.tmpl);
    if (trim(body).empty()) {
        result.error = "Pusty szablon: " + templatePath.string();
        return result;
    }
    run.state.allGroups = options.allGroups;
    run.state.onlyWorked = options.onlyWorked;
    if (body.find("@_without_medical_duty_overtime") != std::string::npos) run.state.withoutMedical = true;
    // The day variables read the staffing of the shown month and group.
    odswiez_iledy_gdy_trzeba(plan);
    odswiez_ilemy(plan);
    wylicz_srednie_obsady(plan);
    for (int w : listed_workers(plan)) call_odswiez_pracownika(plan, w, options.allGroups, plan.currentMonth);
    run.duty8 = przygotuj_rozklad(plan, options.allGroups, run.html);
    run.tree.clear();
    drzewo_kreator(run.tree, body);
    run.nodeSites.clear();
    run.nodeKinds.clear();
    for (const tag_node& n : run.tree.nodes) {
        run.nodeSites.push_back(variable_sites(n.text, lower_text(n.text)));
        run.nodeKinds.push_back(repeat_kind_of(n.caption));
    }
    run.lines.clear();
    gen_drzewo_replikator(run, -1);

    const std::string& type = run.tmpl.type;
    size_t bytes = 0;
    for (const gen_line& rec : run.lines) {
        gen_line ctx = with_defaults(plan, rec);
        const tag_node& node = run.tree.nodes[rec.node];
        if (run.nodeKinds[rec.node] == repeat_kind::overt && !keep_overtime_record(run, ctx)) continue;
        size_t mark = run.rtf.size();
        std::string text = gen_wypelnij_linie(run, node.text, type, ctx, type == "rtf", &run.nodeSites[rec.node]);
        if (is_blank(text)) {
            run.rtf.truncate(mark);
            continue;
        }
        // Each kept record is a line of the document, in RTF as in text:
        // a record that does not end its own line ends a paragraph here.
        if (type == "rtf" && text.back() != '\n') run.rtf.paragraph();
        bytes += text.size();
        if (bytes > options.maxOutputBytes) {
            run.truncated = true;
            break;
        }
        run.output.push_back(std::move(text));
    }

    fs::path folder = options.outputFolder.empty() ? printouts_folder(plan) : options.outputFolder;
    fs::create_directories(folder, ec);
    std::string fileName = czysc_nazwe_pliku(run.tmpl.outputName) + "." + output_extension(type);
    fs::path file = folder / fs::path(fileName).filename();
    io_result w = write_bytes(file, document_bytes(run), &plan.tr);
    if (!w) {
        result.error = w.error;
        return result;
    }
    plan.printoutFiles.insert(file.string());
    result.ok = true;
    result.file = file;
    result.truncated = run.truncated;
    return result;
}

gen_result generuj(Plan& plan, const fs::path& templatePath, const gen_options& options) {
    gen_run run(plan);
    run.state = gen_state{};
    gen_result r = gen_wypelnij_wzorzec(plan, run, templatePath, options);
    // A template that is gone is not put among the recent ones.
    std::error_code ec;
    if (fs::is_regular_file(templatePath, ec)) remember_template(plan, templatePath.string());
    if (!options.allGroups && plan.currentWorker >= 0)
        call_odswiez_pracownika(plan, plan.currentWorker, false, plan.currentMonth);
    return r;
}

}  // namespace planek
