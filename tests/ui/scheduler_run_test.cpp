// "Algorytm 2" run from the window: its progress goes before the accept
// question, and what it could not meet is in sight while the nurse decides.
#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include "ui/dialogs/scheduler_run.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

bool any_proposal(const Plan& plan) {
    for (const prac& p : plan.workers)
        for (const ms_& m : p.months)
            for (const auto& day : m.duties)
                for (const dyzur& d : day)
                    if (!d.loaded) return true;
    return false;
}

TEST_F(DemoWard, TheSecondAlgorithmAsksWithWhatItCouldNotMeetAndNoProgressBehind) {
    // A new month: everything the run places is a proposal.
    window->groupList()->setCurrentRow(1);  // the delivery suite plans by the second algorithm
    ASSERT_EQ(plan.group()->algorithm, 1);
    // More people wanted than the suite has: some shifts stay short.
    for (zmiana_& s : plan.groups[size_t(plan.currentGroup)].shifts) s.staffMin = s.staffMinS = 12;
    plan.options.glowne.automatSeconds = 1;

    bool asked = false, progressBehind = false;
    QString unmet;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* d = dynamic_cast<ui::AcceptRunDialog*>(QApplication::activeModalWidget());
        if (!d || asked) return;
        asked = true;
        for (QProgressDialog* p : window->findChildren<QProgressDialog*>()) progressBehind = progressBehind || p->isVisible();
        if (d->unmetList()) unmet = d->unmetList()->toPlainText();
        d->findChild<QPushButton*>("b_No")->click();
    });
    poll.start();
    window->action("a_Automatic")->trigger();
    poll.stop();

    ASSERT_TRUE(asked);
    EXPECT_FALSE(progressBehind) << "the progress stood frozen behind the question";
    EXPECT_FALSE(unmet.isEmpty());
    EXPECT_TRUE(unmet.contains(QString::fromUtf8("brakuje osób"))) << unmet.toStdString();
    EXPECT_FALSE(any_proposal(plan)) << "No takes the proposals out";
    EXPECT_TRUE(talk->questions.empty()) << "the question is the window's own";
    EXPECT_TRUE(talk->infos.empty()) << "the list was seen before the answer, not told again after it";
    EXPECT_TRUE(window->findChildren<QProgressDialog*>().isEmpty());
}

}  // namespace
}  // namespace planek::test
