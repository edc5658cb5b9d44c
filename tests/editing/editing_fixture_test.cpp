// Fixture and comparison helper shared by the editing tests (the test
// program globs *_test.cpp only, so the helper lives in a test file).
#include "editing/editing_fixture.h"

#include <sstream>

namespace planek::test {

void EditingFixture::build(int dayCount, int firstWeekday) {
    Plan fresh;
    plan = std::move(fresh);
    plan.ui = ui;
    plan.year = 2027;
    plan.month = 3;
    grupa g;
    g.id = 1;
    g.name = "Interna";
    g.dailyNorm = 455;
    zmiana_ r;
    r.start = 420;
    r.length = 720;
    r.symbol = "R";
    zmiana_ n;
    n.start = 1140;
    n.length = 720;
    n.symbol = "N";
    g.shifts = {r, n};
    plan.groups.push_back(g);
    grupa other;
    other.id = 2;
    other.name = "Chirurgia";
    other.dailyNorm = 455;
    other.shifts = {r};
    plan.groups.push_back(other);
    plan.currentGroup = 0;
    miesiac mm;
    mm.month = 3;
    mm.year = 2027;
    mm.dayCount = byte(dayCount);
    for (int i = 0; i < dayCount; ++i) {
        const int weekday = (firstWeekday - 1 + i) % 7 + 1;
        if (weekday >= 2 && weekday <= 6) ++mm.workingDays;
    }
    mm.normMinutes = word(mm.workingDays * 455);
    plan.months.push_back(mm);
    plan.days.resize(dayCount);
    for (int i = 0; i < dayCount; ++i) plan.days[i].dayOfWeek = byte((firstWeekday - 1 + i) % 7 + 1);
    for (int i = 0; i < 2; ++i) {
        prac w;
        w.id = word(10 + i);
        w.surname = i == 0 ? "Nowak" : "Kowalska";
        w.firstName = i == 0 ? "Anna" : "Ewa";
        w.groups = "1|";
        w.dailyNorm = 455;
        plan.workers.push_back(w);
    }
    plan.currentWorker = 0;
    plan.rebuildWorkerIds();
}

dyzur EditingFixture::duty(int w, int day, int start, int length, int overtime, int shift) const {
    dyzur d;
    d.workerId = plan.workers[w].id;
    d.groupId = 1;
    d.day = word(day);
    d.start = word(start);
    d.length = word(length);
    d.overtime = smallint(overtime);
    d.shift = byte(shift);
    d.dutyAs = 1;
    return d;
}

wolne_ EditingFixture::dayOff(int w, char kind, int from, int to) const {
    wolne_ x;
    x.workerId = plan.workers[w].id;
    x.groupId = 1;
    x.dayFrom = byte(from);
    x.dayTo = byte(to);
    x.symbol = kind;
    return x;
}

namespace {

std::string describe(const dyzur& d) {
    std::ostringstream s;
    s << "{id " << d.id << " day " << d.day << " idx " << int(d.dayIndex) << " start " << d.start << " len "
      << d.length << " ot " << d.overtime << " shift " << int(d.shift) << " group " << d.groupId << "}";
    return s.str();
}

bool same(const dyzur& a, const dyzur& b) {
    return a.id == b.id && a.length == b.length && a.start == b.start && a.overtime == b.overtime &&
           a.workerId == b.workerId && a.groupId == b.groupId && a.day == b.day && a.shift == b.shift &&
           a.dayIndex == b.dayIndex && a.dutyAs == b.dutyAs && a.loaded == b.loaded && a.onRequest == b.onRequest &&
           a.medical == b.medical && a.alsoOvertime == b.alsoOvertime && a.note == b.note && a.month == b.month &&
           a.year == b.year;
}

bool same(const wolne_& a, const wolne_& b) {
    return a.id == b.id && a.normMinutes == b.normMinutes && a.customNormMinutes == b.customNormMinutes &&
           a.workerId == b.workerId && a.groupId == b.groupId && a.dayFrom == b.dayFrom && a.dayTo == b.dayTo &&
           a.firstIndex == b.firstIndex && a.headIndex == b.headIndex && a.symbol == b.symbol &&
           a.blocks == b.blocks && a.loaded == b.loaded && a.customNorm == b.customNorm &&
           a.normWithPartTime == b.normWithPartTime;
}

::testing::AssertionResult same_lists(const std::vector<dyzur>& a, const std::vector<dyzur>& b, const std::string& where) {
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << where << ": " << a.size() << " duties vs " << b.size();
    for (size_t i = 0; i < a.size(); ++i)
        if (!same(a[i], b[i]))
            return ::testing::AssertionFailure() << where << "[" << i << "]: " << describe(a[i]) << " vs "
                                                 << describe(b[i]);
    return ::testing::AssertionSuccess();
}

}  // namespace

::testing::AssertionResult SameMonthTables(const Plan& a, const Plan& b) {
    if (a.workers.size() != b.workers.size()) return ::testing::AssertionFailure() << "worker count differs";
    for (size_t w = 0; w < a.workers.size(); ++w) {
        const prac& x = a.workers[w];
        const prac& y = b.workers[w];
        if (x.holidayCurrentYear != y.holidayCurrentYear || x.holidayPreviousYear != y.holidayPreviousYear ||
            x.careDays != y.careDays || x.rehaDays != y.rehaDays)
            return ::testing::AssertionFailure() << "worker " << w << ": allowance balances differ";
        if (x.months.size() != y.months.size()) return ::testing::AssertionFailure() << "worker " << w << ": months";
        for (size_t m = 0; m < x.months.size(); ++m) {
            for (int d = 0; d < kMaxDays; ++d) {
                const std::string where = "worker " + std::to_string(w) + " month " + std::to_string(m) + " day " +
                                          std::to_string(d);
                auto r = same_lists(x.months[m].duties[d], y.months[m].duties[d], where);
                if (!r) return r;
                if (!same(x.months[m].daysOff[d], y.months[m].daysOff[d]))
                    return ::testing::AssertionFailure() << where << ": day-off slot differs";
            }
        }
    }
    auto r = same_lists(a.orphanDuties, b.orphanDuties, "orphan duties");
    if (!r) return r;
    if (a.orphanDaysOff.size() != b.orphanDaysOff.size())
        return ::testing::AssertionFailure() << "orphan days off differ";
    return ::testing::AssertionSuccess();
}

TEST(SameMonthTables, SeesOneChangedField) {
    Plan a;
    a.workers.resize(1);
    Plan b = a;
    EXPECT_TRUE(SameMonthTables(a, b));
    b.workers[0].months[0].daysOff[4].blocks = true;
    EXPECT_FALSE(SameMonthTables(a, b));
    b = a;
    b.workers[0].months[0].duties[2].push_back(dyzur{});
    EXPECT_FALSE(SameMonthTables(a, b));
}

}  // namespace planek::test
