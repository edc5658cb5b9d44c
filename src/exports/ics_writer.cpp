// Written here rather than through libical: the file is a few fixed
// properties, and the library would bring its own copy of the zone rules
// (or none, depending on how it was built) where the ward needs one fixed
// Europe/Warsaw definition that every reader understands the same way.
#include "exports/ics_writer.h"

#include <cstdio>

#include "calendar/holidays.h"

namespace planek {

namespace {

constexpr const char* kZone = "Europe/Warsaw";

// Central European time since 1996: summer time from 2:00 on the last
// Sunday of March to 3:00 on the last Sunday of October.
constexpr const char* kZoneRules =
    "BEGIN:VTIMEZONE\r\n"
    "TZID:Europe/Warsaw\r\n"
    "BEGIN:DAYLIGHT\r\n"
    "TZOFFSETFROM:+0100\r\n"
    "TZOFFSETTO:+0200\r\n"
    "TZNAME:CEST\r\n"
    "DTSTART:19700329T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n"
    "END:DAYLIGHT\r\n"
    "BEGIN:STANDARD\r\n"
    "TZOFFSETFROM:+0200\r\n"
    "TZOFFSETTO:+0100\r\n"
    "TZNAME:CET\r\n"
    "DTSTART:19701025T030000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
    "END:STANDARD\r\n"
    "END:VTIMEZONE\r\n";

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == ';' || c == ',') out += std::string("\\") + c;
        else if (c == '\n') out += "\\n";
        else if (c != '\r') out += c;
    }
    return out;
}

// Lines longer than 75 octets go on in continuation lines starting with a
// space, never splitting a UTF-8 character.
void put(std::string& out, const std::string& line) {
    size_t from = 0, limit = 75;
    while (line.size() - from > limit) {
        size_t cut = from + limit;
        while (cut > from && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        out += line.substr(from, cut - from) + "\r\n ";
        from = cut;
        limit = 74;
    }
    out += line.substr(from) + "\r\n";
}

std::string date_value(const civil_date& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year, d.month, d.day);
    return buf;
}

std::string local_value(const civil_date& d, int minutes) {
    const int days = minutes >= 0 ? minutes / 1440 : -((-minutes + 1439) / 1440);
    const int rest = minutes - days * 1440;
    char buf[16];
    std::snprintf(buf, sizeof buf, "T%02d%02d00", rest / 60, rest % 60);
    return date_value(add_days(d, days)) + buf;
}

std::string utc_value(std::time_t t) {
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y%m%dT%H%M%SZ", &tm);
    return buf;
}

void put_event(std::string& out, const calendar_event& e, const std::string& stamp) {
    put(out, "BEGIN:VEVENT");
    put(out, "UID:" + escaped(e.uid));
    put(out, "DTSTAMP:" + stamp);
    if (e.allDay) {
        put(out, "DTSTART;VALUE=DATE:" + date_value(e.date));
        put(out, "DTEND;VALUE=DATE:" + date_value(add_days(e.date, e.end)));
        put(out, "TRANSP:TRANSPARENT");
    } else {
        put(out, std::string("DTSTART;TZID=") + kZone + ":" + local_value(e.date, e.start));
        put(out, std::string("DTEND;TZID=") + kZone + ":" + local_value(e.date, e.end));
    }
    put(out, "SUMMARY:" + escaped(e.summary));
    if (!e.description.empty()) put(out, "DESCRIPTION:" + escaped(e.description));
    put(out, "END:VEVENT");
}

}  // namespace

std::string ics_text(const std::vector<calendar_event>& events, std::time_t stamp) {
    std::string out;
    put(out, "BEGIN:VCALENDAR");
    put(out, "VERSION:2.0");
    put(out, "PRODID:-//Planek//Planek//PL");
    put(out, "CALSCALE:GREGORIAN");
    out += kZoneRules;
    const std::string s = utc_value(stamp);
    for (const calendar_event& e : events) put_event(out, e, s);
    put(out, "END:VCALENDAR");
    return out;
}

io_result write_ics(const std::filesystem::path& file, const std::vector<calendar_event>& events,
                    std::time_t stamp, const Translator* tr) {
    return write_bytes(file, ics_text(events, stamp), tr);
}

}  // namespace planek
