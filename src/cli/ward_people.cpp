#include "cli/ward_people.h"

#include <algorithm>

namespace planek::cli {

namespace {

// First letter of the first name and two of the surname; when that is taken,
// the first and third letters of the surname.
std::string nick_of(const person& p, const std::vector<prac>& taken) {
    std::string nick = first_chars(p.first, 1) + first_chars(p.surname, 2);
    for (const prac& w : taken)
        if (w.nick == nick) {
            std::string two = first_chars(p.surname, 3);
            return first_chars(p.first, 1) + first_chars(p.surname, 1) + two.substr(first_chars(p.surname, 2).size());
        }
    return nick;
}

}  // namespace

std::string first_chars(const std::string& s, size_t n) {
    size_t i = 0;
    for (size_t k = 0; k < n && i < s.size(); ++k) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    }
    return s.substr(0, i);
}

zmiana_ make_shift(const char* symbol, const char* name, int start, int length, int min, int minHoliday, colour c) {
    zmiana_ z;
    z.symbol = symbol;
    z.name = name;
    z.start = word(start);
    z.length = word(length);
    z.staffMin = byte(min);
    z.staffMinS = byte(minHoliday);
    z.color = c;
    return z;
}

grupa make_group(word id, const std::string& name, const std::string& nick, colour c) {
    grupa g;
    g.id = id;
    g.name = name;
    g.nick = nick;
    g.color = c;
    g.dailyNorm = g.dailyNormDefault = kHealthCareNorm;
    g.dayOffForSaturdayHoliday = g.dayOffForSaturdayHolidayDefault = true;
    g.residueDistribution = 1;
    g.autoStaffN = 2;
    g.autoStaffH = 2;
    return g;
}

prac make_worker(const person& p, word id, const std::vector<prac>& taken) {
    prac w;
    w.id = id;
    w.firstName = p.first;
    w.surname = p.surname;
    w.nick = nick_of(p, taken);
    w.groups = p.groups;
    w.occupation = p.occupation;
    w.postOffice = "Kraków";
    w.phone = "600 100 " + std::to_string(200 + id);
    w.partTimeDefault = p.partTime;
    w.holidayCurrentYear = word(p.leaveDays * kHealthCareNorm);
    w.holidayPreviousYear = word(p.leftDays * kHealthCareNorm);
    w.careDays = 2;
    w.rehaDays = id % 7 == 0 ? 10 : 0;
    w.prefDayNight = byte(id % 3 == 0 ? 5 : 3);
    w.prefNormalHoliday = 3;
    w.color = rgb(255 - (id * 7) % 40, 255 - (id * 13) % 50, 230 + id % 25);
    w.prefWithoutAuto = p.mode == work_mode::None;
    w.prefSystem = p.mode == work_mode::Pattern;
    w.prefAuto8 = p.mode == work_mode::Eight;
    if (p.mode == work_mode::Eight) {
        w.systemPattern8 = p.pattern;
        w.automatFromHourOn = id % 2 == 0;
        w.automatFromHour = 420;
    } else {
        w.systemPattern = p.pattern;
        w.systemStartFrom = byte(1 + id % std::max<size_t>(1, p.pattern.size()));
    }
    return w;
}

}  // namespace planek::cli
