#pragma once
// A small ward for the dialog tests: a group with a day shift (07:00, 12 h)
// and a night shift (19:00, 12 h), a second group with one shift, two
// workers and a 31-day month whose 1st is a Monday.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <memory>

#include "core/plan.h"
#include "document/roster_document.h"
#include "support/scripted_interaction.h"

namespace planek::test {

struct DialogFixture : ::testing::Test {
    roster_document doc;
    // The ward is arranged directly, as its files would bring it; the dialogs
    // under test change it only through the document's acts.
    Plan& plan = const_cast<Plan&>(doc.plan());
    std::shared_ptr<ScriptedInteraction> ui = std::make_shared<ScriptedInteraction>();

    void SetUp() override {
        plan.ui = ui;
        plan.year = 2027;
        plan.month = 3;
        zmiana_ r;
        r.start = 420;
        r.length = 720;
        r.symbol = "R";
        zmiana_ n;
        n.start = 1140;
        n.length = 720;
        n.symbol = "N";
        grupa g;
        g.id = 1;
        g.name = "Interna";
        g.dailyNorm = 455;
        g.shifts = {r, n};
        grupa other;
        other.id = 2;
        other.name = "Chirurgia";
        other.dailyNorm = 455;
        other.shifts = {r};
        plan.groups = {g, other};
        plan.currentGroup = 0;
        miesiac m;
        m.month = 3;
        m.year = 2027;
        m.dayCount = 31;
        for (int i = 0; i < 31; ++i)
            if (i % 7 < 5) ++m.workingDays;
        m.normMinutes = word(m.workingDays * 455);
        plan.months.push_back(m);
        plan.days.resize(31);
        for (int i = 0; i < 31; ++i) plan.days[i].dayOfWeek = byte((1 + i) % 7 + 1);
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

    template <class T>
    static T* child(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void type(QWidget& w, const char* name, const QString& text) {
        QLineEdit* e = child<QLineEdit>(w, name);
        e->setText(text);
        emit e->textEdited(text);
        emit e->editingFinished();
    }
    static void pressOk(QWidget& w) { child<QPushButton>(w, "sb_Ok")->click(); }
};

}  // namespace planek::test
