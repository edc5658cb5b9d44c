#pragma once
// Calendar events as an iCalendar file (RFC 5545) in the time zone of the
// ward, Europe/Warsaw, whose rules travel inside the file.
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/file_io.h"

namespace planek {

struct calendar_event {
    std::string uid;  // the same duty keeps it from one export to the next
    bool allDay = false;
    civil_date date;
    // Timed: minutes from midnight of `date`, wall-clock time of the ward;
    // either may pass 1440 into the next days. All-day: days of the event.
    int start = 0;
    int end = 0;
    std::string summary;
    std::string description;
};

// The text of the file; `stamp` (UTC) goes into every event's DTSTAMP.
std::string ics_text(const std::vector<calendar_event>& events, std::time_t stamp);
io_result write_ics(const std::filesystem::path& file, const std::vector<calendar_event>& events,
                    std::time_t stamp, const Translator* tr = nullptr);

}  // namespace planek
