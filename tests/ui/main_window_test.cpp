#include <gtest/gtest.h>

#include <QListWidget>

#include "document/view_acts.h"
#include "ui/main_window.h"
#include "ui/staff_lists.h"

namespace planek {
namespace {

Plan twoGroupPlan() {
    Plan p;
    grupa a;
    a.id = 1;
    a.name = "Chirurgia";
    grupa b;
    b.id = 2;
    b.name = "Blok porodowy";
    grupa archived;
    archived.id = 3;
    archived.name = "Stara";
    archived.old = true;
    p.groups = {a, b, archived};
    auto worker = [](word id, const char* surname, const char* groups, bool old = false) {
        prac w;
        w.id = id;
        w.surname = surname;
        w.firstName = "Anna";
        w.groups = groups;
        w.old = old;
        return w;
    };
    p.workers = {worker(1, "Nowak", "1|"), worker(2, "Wójcik", "2|"), worker(3, "Zając", "1|2|"),
                 worker(4, "Kowal", "1|", true)};
    return p;
}

TEST(MainWindow, ListsActiveGroupsAndTheirCurrentWorkers) {
    roster_document doc(twoGroupPlan());
    const Plan& p = doc.plan();
    ASSERT_TRUE(recount(doc).ok());  // the tables came from elsewhere: counted once
    ui::MainWindow w(doc);
    ASSERT_EQ(w.groupList()->count(), 2);
    EXPECT_EQ(p.currentGroup, 0);
    ASSERT_EQ(w.workerList()->count(), 2);
    EXPECT_EQ(w.workerList()->item(0)->text(), QString::fromUtf8("Nowak Anna"));
    EXPECT_EQ(w.workerList()->item(1)->text(), QString::fromUtf8("Zając Anna"));

    w.groupList()->setCurrentRow(1);
    EXPECT_EQ(p.currentGroup, 1);
    ASSERT_EQ(p.listed.size(), 2u);
    EXPECT_EQ(p.listed[0].worker, 1);

    w.workerList()->setCurrentRow(1);
    EXPECT_EQ(p.currentWorker, 2);
}

TEST(MainWindow, CloseIsRefusedWhenTheHandlerSaysNo) {
    roster_document doc(twoGroupPlan());
    ui::MainWindow w(doc);
    int asked = 0;
    w.onClose = [&] { return ++asked > 1; };
    w.show();
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.close());
    EXPECT_EQ(asked, 2);
}

}  // namespace
}  // namespace planek
