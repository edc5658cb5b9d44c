#pragma once
// What text stands for a duty or a day off in the calendar and printouts.
#include <string>

#include "core/plan.h"

namespace planek {

// The kind code of a day-off record as the kind table names it: the
// no-duty-wanted kind is stored as the single byte 0xBF and named "ż".
std::string day_off_kind_code(char kind);
char day_off_kind_char(const std::string& code);
// Row of the kind in the day-off kind table, or -1.
int day_off_kind_row(const Plan& plan, char kind);

// Text of one duty. mode: "ksymbol" (calendar panels), "symbol", "ile"
// (printouts: the length) or anything else (like "symbol").
std::string dyzur2symbol(const Plan& plan, const dyzur& d, const std::string& mode,
                         const std::string& timeStyle = "txt");

// One-cell symbol of the day-off slot of a day (a head slot or a covered one).
std::string wolne2symbol(const Plan& plan, const wolne_& slot, int worker, int dayIndex, int month);

// Name of a day-off kind; " " for a code not in the table.
std::string wolne2nazwa(const Plan& plan, char kind);

// True when a day of the day off's range holds a duty of the worker in that
// period month.
bool czy_sa_dyzury(const Plan& plan, int worker, int month, const wolne_& entry);

}  // namespace planek
