#pragma once
// What a plan keeps on disk: the staff, the groups, the months of the
// settlement period with their duties and days off, and the bookkeeping that
// ties the tables to the files they came from. Only the editing routines and
// the readers change it; everything else reads it.
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/duty_symbols.h"
#include "core/group.h"
#include "core/period.h"
#include "core/worker.h"

namespace planek {

struct stored_roster;

// Whether the month or the staff files differ from what is on disk, as the
// document derived it at the end of the last act (its history away from the
// clean point, or the files behind the tables). It is written through
// set_modified by the document alone; the rules below it only read it, to
// ask before unsaved work is left, so an edit that bypasses the history
// cannot pass for saved or for changed.
class modified_flag {
public:
    operator bool() const { return on_; }

private:
    friend void set_modified(stored_roster& roster, bool on);
    bool on_ = false;
};

// The staff file's lines as last read or written, with the stored fields of
// the workers they were made from (`records`, empty when not known): every
// act asks whether the staff are behind the file, and a worker whose fields
// are still those needs no line made to answer it.
struct staff_on_disk {
    std::vector<std::string> lines;
    std::vector<prac> records;
};

struct stored_roster {
    std::vector<prac> workers;
    std::vector<grupa> groups;
    std::vector<miesiac> months;  // the settlement period, in tab order
    std::vector<dyzur> orphanDuties;
    std::vector<wolne_> orphanDaysOff;
    // Wishes of the shown month for workers missing from the staff list, as
    // the file holds them, written back on the next save.
    std::vector<std::string> orphanWishes;
    std::vector<std::string> workerIds;  // parallel to workers
    std::vector<dyz_symb_> dutySymbols;
    std::vector<dutyas_> dutyAs = std::vector<dutyas_>(4);
    word dutyCounter = 0;
    word dayOffCounter = 0;
    // Which day-off kinds count toward the norm in the shown month, one flag
    // per row of options.dayOffKinds, as its file says; empty for a new plan,
    // which follows the configuration.
    std::vector<bool> dayOffNorms;
    int approvedStatus = 0;
    int planType = 0;
    // The pattern start positions were reset; the next automatic run starts
    // its pattern workers one day apart. Cleared when a run is accepted.
    bool patternsReset = false;

    // The files behind the tables.
    std::vector<std::string> openFiles;
    std::set<std::string> printoutFiles;
    std::string currentFile;
    modified_flag modified;
    bool saveStaffAtExit = true;  // cleared by the staff restore
    // The group and staff file lines as this run last read or wrote them, so
    // a change reaches the disk before the exit; unset until they were read.
    std::optional<std::vector<std::string>> groupLinesOnDisk;
    std::optional<staff_on_disk> staffOnDisk;
    // The highest worker id an orphan of a month read in this run (an open
    // tab, the autosave) refers to: a new worker must not inherit its duties.
    word highestOrphanWorkerId = 0;

    // Index of the worker whose id has this decimal text, or -1.
    int workerIndexById(word id) const;
    int groupIndexById(word id) const;
    void rebuildWorkerIds();
};

inline void set_modified(stored_roster& roster, bool on) { roster.modified.on_ = on; }

}  // namespace planek
