#pragma once
// One ward's month as a program edits it from the store: everything the
// session and the month are built from, read in one snapshot with the
// versions a later save is judged by, and what an edit of the plan changed
// since, as the store saves it. The command line's acts and the window
// read and save a month through these two, so both meet the same rules.
#include <map>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "core/plan.h"
#include "core/result.h"
#include "store/folder_transfer.h"
#include "store/month_rows.h"
#include "store/month_save.h"
#include "store/pg_connection.h"

namespace planek::store {

struct worker_read {
    int version = 0;
    std::string record;
    balance_change balances;  // as stored, whole (not differences)
};

struct ward_month {
    month_rows read;
    std::map<int, worker_read> workers;
    ward_files files;
    IniFile sundays;    // the worked Sundays as stored: section worker, key year
    std::string bytes;  // the month file as it would be on disk, sealed when the stored one was
    long long clock = 0;  // the saves the read saw, counted as the store counts them
};

// The month of `year`/`month` and its ward from one read-only snapshot; a
// month the store does not hold is a NoSuchFile refusal.
result<ward_month> read_ward_month(pg_connection& db, int year, int month);

// The month file's bytes made again from `read` (after its rows changed).
result<> render_month_bytes(ward_month& m);

// What the plan's edits changed of what `read` held, as the store saves it:
// the month's lines, and of each worker the store holds, the balances'
// difference and the staff line when more than the balances changed.
month_save changes_of(const Plan& plan, const ward_month& read, int group, const std::string& act);

}  // namespace planek::store
