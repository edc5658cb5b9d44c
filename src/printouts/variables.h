#pragma once
// The template variables: one table maps every Polish and English name to
// its evaluator.
#include <string>
#include <vector>

#include "core/plan.h"
#include "printouts/generation.h"

namespace planek {

// One evaluation: the run, the line's context and the parsed parameters.
struct var_call {
    gen_run& run;
    gen_line ctx;
    std::string format;   // the template's format ("htm", "rtf", "txt")
    std::string timeFmt;  // the time formatter's format for this variable
    std::string p1;
    std::string yes = "Tak";
    std::string no = "Nie";

    const Plan& plan() const { return run.plan; }
    const prac* worker() const;
    const ms_* wm() const;  // the worker's record of the context month
    const grupa* group() const;
    const zmiana_* shift() const;
    const miesiac* month() const;
    int days() const;      // days of the context month
    int dayIndex() const;  // the context day inside the month, or -1
    // The calendar day: only the open month has the day table.
    const day* calDay() const;
    const day_param* dayParam() const;
    int weekday() const;  // 1 = Sunday .. 7 = Saturday, 0 = unknown
    const dyzur* duty() const;
    const duty_split* split() const;
    const kty* who() const;
    // The day-off entry covering the context day (its head slot).
    const wolne_* dayOff() const;
    int dayOffHead() const;

    // A text of the user's (a name, a note, a symbol) as the document holds
    // it: escaped in HTML, as it is elsewhere.
    std::string user(const std::string& text) const;
    // The symbol of a duty in the cell of a roster.
    std::string duty_symbol(const dyzur& d) const;

    // Minutes in this variable's time format.
    std::string time(long long minutes, bool wrapDay = false) const;
    // The yes or the no text, expanded as a "txt" line.
    std::string yesno(bool holds);
    std::string expand_txt(const std::string& text);
};

using var_fn = std::string (*)(var_call&);

struct var_entry {
    const char* pl;   // Polish name ("" when there is none)
    const char* en;   // English name
    const char* en2;  // a second English name ("" when there is none)
    var_fn fn;
    bool shiftFamily = false;  // also usable as name + "_" + shift number
};

const std::vector<var_entry>& variable_table();
// The entry of a Polish or English name, or null.
const var_entry* find_variable(const std::string& name);
// Evaluates a bare name (flags and parameters already removed); names of
// the shift family may end with "_" and a 1-based shift number. Unknown
// names give "". `known` tells whether the name resolved.
std::string evaluate_variable(var_call& call, const std::string& name, bool* known = nullptr);
bool is_known_variable(const std::string& name);

// Parts of the table, one per family.
void add_general_variables(std::vector<var_entry>& t);
void add_day_variables(std::vector<var_entry>& t);
void add_worker_variables(std::vector<var_entry>& t);
void add_duty_variables(std::vector<var_entry>& t);
void add_period_variables(std::vector<var_entry>& t);

// Small shared formatters.
std::string number_text(long long n);
std::string real_comma(double v, int decimals);
std::string hex_rgb(colour c);
std::string date_text(int year, int month, int day);
std::string month_name(int month);

}  // namespace planek
