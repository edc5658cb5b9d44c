#pragma once
// Planners see each other on the server: every committed save of a month is
// announced on one channel (NOTIFY inside the save's transaction, so a save
// rolled back announces nothing), and an act in progress leaves a mark of
// who edits which ward of which month until it ends.
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "store/pg_connection.h"

namespace planek::store {

inline constexpr const char* kMonthsChannel = "planek_months";

// A saved month as announced: "2027-03 4 anna@ward-pc" (month, ward, who).
struct month_change {
    std::string month;
    int group = 0;  // 0: no one ward (the month's own lines)
    std::string user, computer;
};

// Inside a save's transaction: announces the ward's month, the user being
// the connection's own.
result<> announce_change(pg_connection& c, const std::string& month, int group);
std::optional<month_change> parse_change(const std::string& payload);
// Starts listening on the channel; the connection's notifications() then
// bring the changes.
result<> listen_for_changes(pg_connection& c);

struct editing_entry {
    std::string user, computer, month;
    int group = 0;
    std::string groupName;
    std::string started;  // the server's time, "2027-03-04 10:15:00"
    long long mark = 0;   // as mark_editing gave it
};

// Marks the ward's month as edited by this connection's user, until
// unmark_editing or until the connection ends: a planner whose program died
// mid-act is no longer listed, whatever row was left.
result<long long> mark_editing(pg_connection& c, const std::string& month, int group);
result<> unmark_editing(pg_connection& c, long long mark);
result<std::vector<editing_entry>> who_edits(pg_connection& c, const std::string& month);

// A ward's name as the store holds it ("" for none).
result<std::string> group_name(pg_connection& c, int group);

}  // namespace planek::store
