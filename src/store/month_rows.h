#pragma once
// A month file as the store's rows: its duties, days off and day parameters
// row by row, and the rest of its lines in their order (the sections'
// headings among them mark where the rows go back). The same split serves
// the import, the export and the save of one month.
#include <string>
#include <vector>

#include "core/result.h"
#include "store/pg_connection.h"

namespace planek::store {

struct month_row {
    int position = 0;    // the number of its key (d7, w3), or its line for a parameter
    std::string record;  // the value as the month file holds it
    int version = 0;     // as read from the store (0: not stored yet)
    int worker = 0;      // of a duty or day off
    std::string section, key;  // of a day parameter
};

struct month_rows {
    int id = 0;
    std::string name;  // the file's name, "2027_03.pnk"
    int year = 0, month = 0;
    bool sealed = true;
    std::vector<std::string> rest;
    std::vector<double> restPlaces;  // the rest's places as stored, when read from the store
    std::vector<month_row> duties, daysOff, parameters;
};

// The lines of a month file (without its end section) split into rows.
month_rows split_month_lines(const std::vector<std::string>& lines);
// The lines again, the rows after their headings, duties and days off
// numbered from 1 in the order of their positions.
std::vector<std::string> month_lines(const month_rows& m);

// A place of the month's rest as the server writes it (a double, in no locale).
double stored_place(const std::string& text);

// The month as stored, with the versions read, by its id or by its year and
// month ("no such month" is a NoSuchFile refusal).
result<month_rows> read_month_rows(pg_connection& c, int id);
result<month_rows> find_month_rows(pg_connection& c, int year, int month);

}  // namespace planek::store
