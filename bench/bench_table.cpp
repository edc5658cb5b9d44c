#include "bench_table.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ostream>

#include "bench_ops.h"

namespace planek::bench {

namespace {

// One edit must cost the same at any size; a whole-month operation may
// grow with the ward, at most linearly.
constexpr double kEditRatio = 1.5;
constexpr double kMonthRatio = 12.0;
constexpr double kFrameMs = 16.0;
constexpr double kSchedulerMs = 100.0;
// A printout or export of the whole ward, in CPU time.
constexpr double kDocumentMs = 100.0;

bool is_edit(size_t op) {
    const char* name = operations()[op].name;
    return std::strcmp(name, "one edit") == 0 || std::strcmp(name, "undo one edit") == 0 ||
           std::strcmp(name, "redo one edit") == 0;
}
bool is_scheduler(size_t op) { return std::strcmp(operations()[op].name, "scheduler run") == 0; }

std::string number(double v) {
    char buf[32];
    if (v >= 1e6) std::snprintf(buf, sizeof buf, "%.3g", v);
    else if (v >= 100) std::snprintf(buf, sizeof buf, "%.0f", v);
    else std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
}

std::string padded(const std::string& s, size_t width) {
    return s.size() >= width ? s + " " : std::string(width - s.size(), ' ') + s;
}

}  // namespace

void print_table(std::ostream& out, const results& r, const std::vector<int>& sizes, const std::vector<int>& layouts,
                 const std::string& unit) {
    const bool millis = unit.rfind("ms", 0) == 0;
    // The names column as wide as the longest name and a space.
    size_t nameWidth = 0;
    for (const operation& o : operations()) nameWidth = std::max(nameWidth, std::strlen(o.name) + 1);
    for (int groups : layouts) {
        out << "\n"
            << (groups == 0 ? "Generated ward (groups of about 30 workers, the first group shown)"
                            : "Every worker in one group")
            << ", cost in " << unit << "\n";
        out << "operation" << std::string(nameWidth - std::strlen("operation"), ' ');
        for (int n : sizes) out << padded(std::to_string(n), 12);
        out << padded("ratio", 10) << "  goals\n";
        for (size_t op = 0; op < operations().size(); ++op) {
            out << operations()[op].name << std::string(nameWidth - std::strlen(operations()[op].name), ' ');
            for (int n : sizes) {
                const auto it = r.find({op, n, groups});
                out << padded(it == r.end() ? "-" : number(it->second), 12);
            }
            const bool edit = is_edit(op);
            const auto top = r.find({op, 600, groups});
            const auto base = r.find({op, edit ? 20 : 60, groups});
            const auto at200 = r.find({op, 200, groups});
            std::string goals;
            if (top != r.end() && base != r.end() && base->second > 0) {
                const double ratio = top->second / base->second;
                const double limit = edit ? kEditRatio : kMonthRatio;
                out << padded(number(ratio), 10);
                goals += std::string(edit ? "600/20" : "600/60") + (ratio <= limit ? " ok" : " MISSED") + " (<= " +
                         number(limit) + ")";
            } else {
                out << padded("-", 10);
            }
            if (millis && operations()[op].document) {
                if (top != r.end())
                    goals += std::string(goals.empty() ? "" : ", ") + "600: " +
                             (top->second < kDocumentMs ? "ok" : "MISSED") + " (< " + number(kDocumentMs) + " ms CPU)";
            } else if (millis && at200 != r.end()) {
                const double limit = is_scheduler(op) ? kSchedulerMs : kFrameMs;
                goals += std::string(", 200: ") + (at200->second < limit ? "ok" : "MISSED") + " (< " +
                         number(limit) + " ms)";
            }
            out << "  " << goals << "\n";
        }
    }
}

}  // namespace planek::bench
