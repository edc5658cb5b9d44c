#include "cli/month_json.h"

#include <cstdio>

#include "core/text.h"

namespace planek::cli {

month_figures figures_of(const ms_& m) {
    month_figures f;
    f.total = m.sum.total[0];
    f.workerNorm = m.workerNorm;
    f.worked = long(f.total.dayMinutes) + f.total.nightMinutes + f.total.holidayMinutes;
    f.credited = m.sum.creditedMinutes;
    f.normOpen = f.workerNorm - f.worked - f.credited;
    return f;
}

std::string json_string(const std::string& s) {
    std::string out = "\"";
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            // The files end lines in CR LF and the captions break them with a
            // lone CR: a reader of the JSON gets one kind of line break.
            case '\r':
                if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
                out += "\\n";
                break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += char(c);
                }
        }
    }
    return out + "\"";
}

namespace {

class object {
public:
    explicit object(std::string& out) : out_(out) { out_ += "{"; }
    ~object() { out_ += "}"; }
    void num(const char* key, long long v) { field(key, std::to_string(v)); }
    void real(const char* key, double v) { field(key, real_text(v, '.')); }
    void str(const char* key, const std::string& v) { field(key, json_string(v)); }
    void raw(const char* key) { field(key, ""); }

private:
    void field(const char* key, const std::string& v) {
        if (!first_) out_ += ",";
        first_ = false;
        out_ += json_string(key) + ":" + v;
    }
    std::string& out_;
    bool first_ = true;
};

void day_object(std::string& out, const ms_& m, int d, const std::string& symbol) {
    object o(out);
    const day_summary* ds = d < int(m.sum.days.size()) ? &m.sum.days[d] : nullptr;
    const category_sum c = ds ? ds->categories[0] : category_sum{};
    o.num("dayMinutes", c.dayMinutes);
    o.num("nightMinutes", c.nightMinutes);
    o.num("holidayMinutes", c.holidayMinutes);
    o.num("credited", ds ? ds->creditedMinutes : 0);
    o.str("symbol", symbol);
}

void worker_object(std::string& out, const Plan& plan, int w, const std::function<std::string(int, int)>& symbol) {
    const prac& p = plan.workers[w];
    const ms_& m = p.months[plan.currentMonth];
    const month_figures f = figures_of(m);
    object o(out);
    o.num("id", p.id);
    o.str("surname", p.surname);
    o.str("firstName", p.firstName);
    o.str("nick", p.nick);
    // A point whatever the language: the stable machine form.
    o.real("partTime", p.partTimeDefault);
    o.num("workerNorm", f.workerNorm);
    o.num("dayMinutes", f.total.dayMinutes);
    o.num("nightMinutes", f.total.nightMinutes);
    o.num("holidayMinutes", f.total.holidayMinutes);
    o.num("workedMinutes", f.worked);
    o.num("creditedMinutes", f.credited);
    o.num("overtime100", f.total.overtime100);
    o.num("overtime50", f.total.overtime50);
    o.num("medicalOvertime100", f.total.medicalOvertime100);
    o.num("medicalOvertime50", f.total.medicalOvertime50);
    o.num("extraOvertime100", f.total.extraOvertime100);
    o.num("extraOvertime50", f.total.extraOvertime50);
    o.num("normOpen", f.normOpen);
    o.num("dutyCount", p.sum.dutyCount);
    o.raw("days");
    out += "[";
    for (int d = 0; d < int(plan.days.size()); ++d) {
        if (d) out += ",";
        day_object(out, m, d, symbol(w, d));
    }
    out += "]";
}

}  // namespace

std::string summary_json(const Plan& plan, const std::vector<int>& workers,
                         const std::function<std::string(int, int)>& symbol) {
    std::string out = "[";
    for (size_t i = 0; i < workers.size(); ++i) {
        if (i) out += ",";
        worker_object(out, plan, workers[i], symbol);
    }
    return out + "]";
}

}  // namespace planek::cli
