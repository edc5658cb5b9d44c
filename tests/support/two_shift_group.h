#pragma once
// The group most tests plan on: id 1, "Oddział", a day of 7:35, a day shift
// "R" 07:00-19:00 and a night shift "N" 19:00-07:00, one period month of
// settings.
#include "core/group.h"
#include "core/types.h"

namespace planek::test {

inline grupa two_shift_group(int staffMin = 0, int staffMinS = 0) {
    grupa g;
    g.id = 1;
    g.name = "Oddział";
    g.dailyNorm = 455;
    zmiana_ day;
    day.start = 420;
    day.length = 720;
    day.name = "R";
    day.color = rgb(255, 255, 255);
    day.staffMin = byte(staffMin);
    day.staffMinS = byte(staffMinS);
    zmiana_ night = day;
    night.start = 1140;
    night.name = "N";
    night.color = rgb(221, 221, 221);
    g.shifts = {day, night};
    g.monthSettings.resize(1);
    return g;
}

}  // namespace planek::test
