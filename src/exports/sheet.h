#pragma once
// A table as spreadsheets hold it: typed cells under a header row, so each
// writer shows a date, a clock time or a length the way its format does.
#include <string>
#include <vector>

namespace planek {

struct cell {
    enum class kind { text, number, minutes, date, clock };
    kind type = kind::text;
    std::string text;
    long long value = 0;  // number; minutes of a length or of the day
    int year = 0, month = 0, day = 0;

    static cell of_text(std::string t) { return {kind::text, std::move(t)}; }
    static cell of_number(long long v) { return {kind::number, {}, v}; }
    static cell of_minutes(long long m) { return {kind::minutes, {}, m}; }
    // Minute of the day, 0..1439.
    static cell of_clock(int m) { return {kind::clock, {}, m}; }
    static cell of_date(int y, int mo, int d) { return {kind::date, {}, 0, y, mo, d}; }
};

struct sheet {
    std::string name;
    std::vector<std::string> header;
    std::vector<std::vector<cell>> rows;
};

}  // namespace planek
