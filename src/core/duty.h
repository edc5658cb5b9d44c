#pragma once
#include <string>

#include "core/types.h"

namespace planek {

// One duty of one worker on one day. Times run on a line starting at midnight
// of the duty's own day, so a night duty ends past 1440.
struct dyzur {
    word id = 0;
    word length = 0;
    word start = 0;  // 0 = the shift's start, 1440 = midnight
    smallint overtime = 0;
    word work = 0;  // scratch, 0 when added
    word workerId = 0;
    word groupId = 0;
    word day = 0;
    byte shift = 0;  // 1-based shift number in the group
    byte dayIndex = 0;
    byte dutyAs = 0;  // 1..4, 0 = none
    byte spare = 0;
    bool loaded = true;  // false only for unaccepted scheduler proposals
    bool onRequest = false;
    bool medical = false;
    bool alsoOvertime = false;
    double prioWorker = 1.0;
    double prioStaff = 1.0;
    std::string note;  // at most 30 characters
    byte month = 0;
    word year = 0;

    int end() const { return int(start) + int(length); }
    bool operator==(const dyzur&) const = default;
};

// One day-off entry. A multi-day entry lives in the slot of its first day;
// the slots of the further days point back to it through headIndex.
struct wolne_ {
    word id = 0;  // 0 = slot free
    word normMinutes = 0;
    word customNormMinutes = 0;
    word workerId = 0;
    word groupId = 0;
    byte dayFrom = 0;
    byte dayTo = 0;
    byte firstIndex = 0;
    byte headIndex = kNoHead;
    char symbol = 0;  // day-off kind code
    bool blocks = false;
    bool loaded = true;
    bool customNorm = false;
    bool normWithPartTime = false;
    // Minutes of a leave taken from last year's balance, given back there
    // first. Held in memory only: a day off read from a file gives all back
    // to this year's balance.
    word fromPreviousYear = 0;

    bool used() const { return id != 0; }
    bool operator==(const wolne_&) const = default;
};

}  // namespace planek
