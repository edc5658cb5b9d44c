#pragma once
// The rules of the warnings check, one function per rule letter. Each
// appends its lines to `out`; the caller has prepared the staffing counts,
// the per-day duty lists and the worker sums. Exposed for the tests.
#include <cstdint>
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek {

class IniFile;
class warning_writer;

using warning_lines = std::vector<std::string>;

// Rounds num / den to the nearest integer, halves to the even neighbour
// (den > 0).
std::int64_t round_half_even(std::int64_t num, std::int64_t den);

// Staffing of the shown month and the current group.
void rule_k_gaps(const warning_writer& ww, warning_lines& out);
void rule_j_percent(const warning_writer& ww, warning_lines& out);
void rule_c_persons(const warning_writer& ww, warning_lines& out);

// One worker (index into the worker table).
void rule_f_norm_exceeded(const warning_writer& ww, int worker, warning_lines& out);
void rule_g_norm_unreached(const warning_writer& ww, int worker, warning_lines& out);
void rule_a_rest(const warning_writer& ww, int worker, warning_lines& out);
void rule_b_nights(const warning_writer& ww, int worker, warning_lines& out);
void rule_h_week_rest(const warning_writer& ww, int worker, warning_lines& out);
void rule_l_week_time(const warning_writer& ww, int worker, warning_lines& out);
void rule_ed_duty_length(const warning_writer& ww, int worker, warning_lines& out);
// Rule i reads the worked-Sundays record, already refreshed for the shown
// month.
void rule_i_sundays(const warning_writer& ww, int worker, const IniFile& sundays, warning_lines& out);

}  // namespace planek
