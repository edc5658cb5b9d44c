#pragma once
// Duties and days off as the acts name them and as a ward manager gives
// them: by their id in the open month, with days of the month and minutes.
// The dialog models turn what was typed into these; the command line its
// arguments; the rules of duty_store take them.
#include <optional>
#include <string>

#include "core/plan.h"

namespace planek {

// A duty of the open month: its running number, unique in the month.
struct duty_id {
    word value = 0;
    bool operator==(const duty_id&) const = default;
};

// Where it lies: worker index, day index, position in the day's list.
struct duty_place {
    int worker = -1;
    int dayIndex = -1;
    int position = -1;
};
std::optional<duty_place> find_duty(const Plan& plan, duty_id id);
// The id of the duty at a place, when there is one.
std::optional<duty_id> duty_at(const Plan& plan, const duty_place& place);

struct duty_args {
    word worker = 0;            // the worker's id
    int day = 0;                // day of the month (of the week span in week mode)
    int shift = 1;              // 1-based, in the group
    std::optional<word> group;  // the group it is worked in; else the edited duty's, else the one shown
    int start = 0;              // minutes after midnight; 0 = the shift's start, 1440 = midnight
    int length = 0;             // minutes
    int overtime = 0;           // minutes, may be below zero
    int dutyAs = 1;             // 1..4
    std::string note;           // at most 30 characters are kept
    bool onRequest = false;
    bool medical = false;
    bool alsoOvertime = false;
};

// A day off of the open month by its running number, and its head slot.
struct day_off_id {
    word value = 0;
    bool operator==(const day_off_id&) const = default;
};
struct day_off_place {
    int worker = -1;
    int dayIndex = -1;  // the head slot: its first day
};
std::optional<day_off_place> find_day_off(const Plan& plan, day_off_id id);
// The day off that starts on the day or covers it.
std::optional<day_off_id> day_off_at(const Plan& plan, int worker, int dayIndex);

struct day_off_args {
    word worker = 0;                // the worker's id
    char kind = 0;                  // the kind's code (its Windows-1250 byte)
    int firstDay = 1;               // days of the month (of the week span in week mode)
    int lastDay = 1;
    int shift = 0;                  // the no-duty kind only: the shift not to be worked, 0 = any
    std::optional<int> customNorm;  // minutes typed instead of the counted norm
    bool normWithPartTime = false;
};

}  // namespace planek
