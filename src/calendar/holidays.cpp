#include "calendar/holidays.h"

namespace planek {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's method),
// so date arithmetic needs no time zone and no time_t.
long days_from_civil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

civil_date civil_from_days(long z) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const int d = int(doy - (153 * mp + 2) / 5 + 1);
    const int m = int(mp < 10 ? mp + 3 : mp - 9);
    const int y = int(yoe + era * 400 + (m <= 2));
    return {y, m, d};
}

}  // namespace

bool is_leap_year(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && is_leap_year(year) ? 29 : days[month - 1];
}

int days_in_year(int year) { return is_leap_year(year) ? 366 : 365; }

int day_of_week(int year, int month, int day) {
    // 1970-01-01 was a Thursday (code 5).
    long n = days_from_civil(year, month, day);
    long w = (n + 4) % 7;  // 0 = Sunday
    if (w < 0) w += 7;
    return int(w) + 1;
}

int day_of_week(const civil_date& d) { return day_of_week(d.year, d.month, d.day); }

civil_date add_days(const civil_date& d, int n) {
    return civil_from_days(days_from_civil(d.year, d.month, d.day) + n);
}

long days_between(const civil_date& a, const civil_date& b) {
    return days_from_civil(b.year, b.month, b.day) - days_from_civil(a.year, a.month, a.day);
}

civil_date wielkanoc(int y) {
    // Knuth, The Art of Computer Programming, vol. 1, 1.3.2, Algorithm E.
    const int g = y % 19 + 1;
    const int c = y / 100 + 1;
    const int x = (3 * c) / 4 - 12;
    const int z = (8 * c + 5) / 25 - 5;
    const int d = (5 * y) / 4 - x - 10;
    int e = (11 * g + 20 + z - x) % 30;
    if (e < 0) e += 30;
    if ((e == 25 && g > 11) || e == 24) ++e;
    int n = 44 - e;
    if (n < 21) n += 30;
    n = n + 7 - ((d + n) % 7);
    if (n > 31) return {y, 4, n - 31};
    return {y, 3, n};
}

holiday_table zaladuj_swieta(int year) {
    const civil_date easter = wielkanoc(year);
    return {{
        {year, 1, 1},
        {year, 1, 6},
        easter,
        add_days(easter, 1),
        {year, 5, 1},
        {year, 5, 3},
        add_days(easter, 60),
        {year, 8, 15},
        {year, 11, 1},
        {year, 11, 11},
        {year, 12, 24},
        {year, 12, 25},
        {year, 12, 26},
    }};
}

int first_sunday_of_january(int year) {
    const int w = day_of_week(year, 1, 1);
    return w == 1 ? 1 : 9 - w;
}

}  // namespace planek
