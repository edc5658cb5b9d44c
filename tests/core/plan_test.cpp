#include <gtest/gtest.h>

#include <type_traits>

#include "core/plan.h"

namespace planek {
namespace {

// "Modified" has one writer, so whatever marks a plan is found by its name.
static_assert(!std::is_assignable_v<modified_flag&, bool>);

TEST(Ids, MaxIsHighestPlusOneAndOtherRequestsGiveZero) {
    Plan p;
    EXPECT_EQ(id(p, 'k', "max"), 1);
    for (word w : {3, 7, 5}) {
        prac x;
        x.id = w;
        p.workers.push_back(x);
    }
    EXPECT_EQ(id(p, 'k', "max"), 8);
    EXPECT_EQ(id(p, 'k', "min"), 0);
    EXPECT_EQ(id(p, 'g', "max"), 1);
    p.workers.erase(p.workers.begin() + 1);  // the worker with id 7
    EXPECT_EQ(id(p, 'k', "max"), 6);
}

// A new worker taking the id an orphan refers to would inherit its entries.
TEST(Ids, WorkerIdsStayAboveEveryOrphan) {
    Plan p;
    prac x;
    x.id = 3;
    p.workers.push_back(x);
    dyzur d;
    d.workerId = 9;
    p.orphanDuties.push_back(d);
    EXPECT_EQ(id(p, 'k', "max"), 10);
    wolne_ w;
    w.workerId = 12;
    p.orphanDaysOff.push_back(w);
    EXPECT_EQ(id(p, 'k', "max"), 13);
    // Orphans of a month no longer shown still count.
    czysc_dyzury_i_wolne(p);
    p.highestOrphanWorkerId = 20;
    EXPECT_EQ(id(p, 'k', "max"), 21);
    EXPECT_EQ(id(p, 'g', "max"), 1);
}

TEST(TidyKto, DropsTrailingBreakOrCommaOnly) {
    std::string a = "  Kowalska, Nowak,<br>  ";
    tidy_kto(a);
    EXPECT_EQ(a, "Kowalska, Nowak");
    std::string b = "Kowalska, Nowak,";
    tidy_kto(b);
    EXPECT_EQ(b, "Kowalska, Nowak");
    std::string c = " Kowalska ";
    tidy_kto(c);
    EXPECT_EQ(c, "Kowalska");
}

TEST(MonthData, ClearingLeavesStaffAndGroups) {
    Plan p;
    p.groups.push_back(grupa{});
    prac w;
    w.id = 1;
    w.surname = "Nowak";
    dyzur d;
    d.length = 720;
    w.months[0].duties[3].push_back(d);
    w.months[0].daysOff[5].id = 9;
    w.months[0].daysOff[5].symbol = 'U';
    p.workers.push_back(w);
    p.orphanDuties.push_back(d);
    czysc_dyzury_i_wolne(p);
    ASSERT_EQ(p.workers.size(), 1u);
    EXPECT_EQ(p.workers[0].surname, "Nowak");
    EXPECT_EQ(p.groups.size(), 1u);
    EXPECT_TRUE(p.workers[0].months[0].duties[3].empty());
    EXPECT_FALSE(p.workers[0].months[0].daysOff[5].used());
    EXPECT_EQ(p.workers[0].months[0].daysOff[5].headIndex, kNoHead);
    EXPECT_TRUE(p.orphanDuties.empty());
}

TEST(ListedWorkers, TemporaryEntriesAreRemoved) {
    Plan p;
    p.listed = {{0, "Nowak Anna", false}, {1, "Kowalska Ewa \xC2\xA4", false}, {2, "Zych Jan", true}};
    usun_tymczasowych_pracownikow(p);
    ASSERT_EQ(p.listed.size(), 1u);
    EXPECT_EQ(p.listed[0].worker, 0);
}

TEST(ListedWorkers, TheWindowsListFollowsGroupViewAndArchive) {
    Plan p;
    grupa a;
    a.id = 1;
    grupa b;
    b.id = 2;
    p.groups = {a, b};
    p.currentGroup = 0;
    auto add = [&](const char* surname, const char* groups, bool old) {
        prac w;
        w.id = word(p.workers.size() + 1);
        w.surname = surname;
        w.firstName = "Anna";
        w.groups = groups;
        w.old = old;
        p.workers.push_back(w);
    };
    add("Nowak", "1|", false);
    add("Zając", "2|", false);
    add("Kowalska", "2|1|", false);
    add("Wójcik", "1|", true);
    auto workers = [&] {
        odswiez_liste_prac_panel(p);
        std::vector<int> out;
        for (const listed_worker& lw : p.listed) out.push_back(lw.worker);
        return out;
    };
    EXPECT_EQ(workers(), (std::vector<int>{0, 2}));
    EXPECT_EQ(p.listed[1].text, "0002=Kowalska Anna");
    EXPECT_FALSE(p.listed[1].outsider);
    p.showDeleted = true;
    EXPECT_EQ(workers(), (std::vector<int>{0, 2, 3}));
    p.showWorkers = ShowWorkers::All;
    EXPECT_EQ(workers(), (std::vector<int>{0, 1, 2, 3}));
    p.showWorkers = ShowWorkers::Group;
    p.currentGroup = -1;
    EXPECT_TRUE(workers().empty());
}

TEST(Membership, GroupListIsMatchedWhole) {
    prac w;
    w.groups = "13|5|";
    EXPECT_TRUE(w.inGroup(5));
    EXPECT_TRUE(w.inGroup(13));
    EXPECT_FALSE(w.inGroup(3));
    EXPECT_FALSE(w.inGroup(1));
}

}  // namespace
}  // namespace planek
