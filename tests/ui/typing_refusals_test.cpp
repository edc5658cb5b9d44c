// What the files cannot hold is refused while it is typed, as a head nurse
// types it: a day note with a character outside Windows-1250, a group's
// short name longer than the two characters stored, a shift time that is
// no time. Keys go to the widgets as the keyboard sends them.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "core/text.h"
#include "ui/dialogs/group_dialog.h"
#include "ui/dialogs_fixture.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

// Each character as a key press carrying it, the way a keyboard layout
// delivers letters QTest::keyClicks cannot (it sends Latin-1 only).
void typeText(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

TEST_F(DemoWard, ADayNoteRefusesWhatTheMonthFileCannotHoldAndTheMonthStillSaves) {
    ASSERT_TRUE(window->selectDay(14, 1));
    QString kept, said;
    bool saidShown = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        auto* notes = d->findChild<QPlainTextEdit*>("m_Notes");
        ASSERT_NE(notes, nullptr);
        notes->clear();
        typeText(notes, QString::fromUtf8("Szkolenie BHP – Zoë ☃ sala 12"));
        kept = notes->toPlainText();
        auto* refused = d->findChild<QLabel*>("m_Notes_Refused");
        ASSERT_NE(refused, nullptr);
        said = refused->text();
        saidShown = refused->isVisible();
        d->accept();
    });
    window->action("a_DayProperties")->trigger();
    EXPECT_EQ(kept, QString::fromUtf8("Szkolenie BHP – Zoë  sala 12")) << "typing goes on after the refused one";
    EXPECT_TRUE(saidShown);
    EXPECT_TRUE(said.contains(QString::fromUtf8("☃"))) << said.toStdString();
    EXPECT_EQ(plan.months[size_t(plan.currentMonth)].days[14].note, "Szkolenie BHP – Zoë  sala 12");

    window->action("a_ProjectSave")->trigger();
    EXPECT_TRUE(talk->warnings.empty()) << talk->warnings.front();
    EXPECT_FALSE(plan.modified);
}

using GroupTyping = DialogFixture;

// The group file keeps three characters of a short name but the dialog
// stores two: it says so while the name is longer, also for a name read
// from an older file, and stores what it said.
TEST_F(GroupTyping, AShortNameLongerThanStoredIsToldWhileTyped) {
    plan.groups[0].nick = "CHI";
    ui::GroupDialog d(doc, true);
    d.show();
    auto* notice = d.findChild<QLabel*>("l_NickNotice");
    auto* nick = d.findChild<QLineEdit*>("e_Nick");
    ASSERT_NE(notice, nullptr);
    ASSERT_NE(nick, nullptr);
    EXPECT_TRUE(notice->isVisible()) << "shown as the dialog opens";
    EXPECT_TRUE(notice->text().contains("\"CH\"")) << notice->text().toStdString();

    nick->selectAll();
    QTest::keyClicks(nick, "IN");
    EXPECT_FALSE(notice->isVisible());
    QTest::keyClicks(nick, "T");
    EXPECT_EQ(nick->text(), "INT");
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->text().contains("\"IN\""));
    QTest::keyClick(nick, Qt::Key_Backspace);
    EXPECT_FALSE(notice->isVisible());
    pressOk(d);
    EXPECT_EQ(plan.groups[0].nick, "IN");
}

TEST_F(DemoWard, TheDemoGroupsKeepTheirShortNamesThroughTheDialog) {
    for (size_t g = 0; g < plan.groups.size(); ++g) {
        const std::string before = plan.groups[g].nick;
        EXPECT_LE(utf8_length(before), 2u) << before;
        window->chooseGroup(int(g));
        ui::GroupDialog d(doc, true);
        EXPECT_FALSE(d.findChild<QLabel*>("l_NickNotice")->isVisibleTo(&d));
        d.findChild<QPushButton*>("sb_Ok")->click();
        EXPECT_EQ(plan.groups[g].nick, before);
    }
}

// "25:70" in a shift's length: the cell turns pink as it is typed and keeps
// its time when left, and nothing is chained from it.
TEST_F(GroupTyping, AShiftTimeThatIsNoTimeIsRefusedBeforeItChainsTheNextShift) {
    ui::GroupDialog d(doc, true);
    d.show();
    d.findChild<QTabWidget*>()->setCurrentIndex(1);
    d.findChild<QToolButton*>("tb_AutoCalc")->setChecked(true);
    QTableWidget* t = d.shiftTable();
    ASSERT_EQ(t->item(0, 2)->text(), "12:00");
    ASSERT_EQ(t->item(1, 1)->text(), "19:00");
    auto* notice = d.findChild<QLabel*>("l_ShiftNotice");
    ASSERT_NE(notice, nullptr);

    auto edit = [&](const char* typed, bool& pinkWhileTyped) {
        t->setCurrentCell(0, 2);
        t->editItem(t->item(0, 2));
        QLineEdit* editor = nullptr;  // the open one: a closed editor waits for its deletion
        for (QLineEdit* e : t->findChildren<QLineEdit*>())
            if (e->isVisible()) editor = e;
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, typed);
        pinkWhileTyped = editor->styleSheet().contains("ffd0d0");
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();  // the view closes its editor after the key
    };
    bool pink = false;
    edit("25:70", pink);
    EXPECT_TRUE(pink);
    EXPECT_EQ(t->item(0, 2)->text(), "12:00");
    EXPECT_EQ(t->item(1, 1)->text(), "19:00") << "the next shift was chained from a time that is none";
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(notice->text().contains("25:70")) << notice->text().toStdString();

    edit("10:00", pink);
    EXPECT_FALSE(pink);
    EXPECT_EQ(t->item(0, 2)->text(), "10:00");
    EXPECT_EQ(t->item(1, 1)->text(), "17:00");
    EXPECT_FALSE(notice->isVisible());
}

}  // namespace
}  // namespace planek::test
