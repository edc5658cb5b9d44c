#include <QListWidget>
#include <QSpinBox>

#include "ui/dialogs/worker_dialog.h"
#include "ui/dialogs_fixture.h"

namespace planek::test {
namespace {

using WorkerDialogTest = DialogFixture;

TEST_F(WorkerDialogTest, FillAndOkAddsAWorker) {
    ui::WorkerDialog d(doc, -1);
    ASSERT_TRUE(d.ready());
    type(d, "e_Surname", "Zając");
    type(d, "e_Name", "Maria");
    EXPECT_EQ(child<QLineEdit>(d, "e_Nick")->text(), QString::fromUtf8("ZM"));
    type(d, "me_CurrentYearHoliday", "200.30");
    type(d, "e_SystemPattern", "120");
    EXPECT_EQ(child<QSpinBox>(d, "se_AutoSystemStartFrom")->maximum(), 3);
    child<QListWidget>(d, "clb_Group")->item(1)->setCheckState(Qt::Checked);
    pressOk(d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    ASSERT_EQ(plan.workers.size(), 3u);
    const prac& w = plan.workers[2];
    EXPECT_EQ(w.surname, "Zając");
    EXPECT_EQ(w.nick, "ZM");
    EXPECT_EQ(w.groups, "1|2|");
    EXPECT_EQ(w.holidayCurrentYear, 200 * 60 + 30);
    EXPECT_EQ(w.systemPattern, "120");
    EXPECT_EQ(d.storedWorker(), 2);
}

TEST_F(WorkerDialogTest, BadTimeKeepsTheDialogOpenWithAHint) {
    ui::WorkerDialog d(doc, 0);
    ASSERT_TRUE(d.ready());
    EXPECT_EQ(child<QLineEdit>(d, "e_Surname")->text(), "Nowak");
    type(d, "me_LastYearHoliday", "12:75");
    EXPECT_FALSE(child<QLineEdit>(d, "me_LastYearHoliday")->toolTip().isEmpty());
    pressOk(d);
    EXPECT_NE(d.result(), QDialog::Accepted);
    ASSERT_EQ(ui->warnings.size(), 1u);
    EXPECT_NE(ui->warnings[0].find("12:75"), std::string::npos);
    type(d, "me_LastYearHoliday", "1215");
    EXPECT_TRUE(child<QLineEdit>(d, "me_LastYearHoliday")->toolTip().isEmpty());
    pressOk(d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(plan.workers[0].holidayPreviousYear, 12 * 60 + 15);
}

TEST_F(WorkerDialogTest, RefusesCharactersTheFilesCannotHoldAndPatternDigitsBeyondTheShifts) {
    ui::WorkerDialog d(doc, 0);
    QLineEdit* surname = child<QLineEdit>(d, "e_Surname");
    QString text = QString::fromUtf8("Nowak☃");
    int pos = 0;
    EXPECT_EQ(surname->validator()->validate(text, pos), QValidator::Invalid);
    text = QString::fromUtf8("Nowak-Łęcka");
    EXPECT_EQ(surname->validator()->validate(text, pos), QValidator::Acceptable);
    QLineEdit* pattern = child<QLineEdit>(d, "e_SystemPattern");
    text = "1203";
    EXPECT_EQ(pattern->validator()->validate(text, pos), QValidator::Invalid);
    text = "1202";
    EXPECT_EQ(pattern->validator()->validate(text, pos), QValidator::Acceptable);
}

TEST_F(WorkerDialogTest, TheLastListEntryOpensTheListSettings) {
    ui::WorkerDialog d(doc, 0);
    int asked = -1;
    d.onCustomizeList = [&](int list) {
        asked = list;
        plan.options.autofilling.Educations = "Magister¤";
    };
    QComboBox* education = child<QComboBox>(d, "cb_education");
    ASSERT_EQ(education->count(), 3);  // two entries and "dostosuj listę"
    education->setCurrentIndex(2);
    emit education->activated(2);
    EXPECT_EQ(asked, 1);
    ASSERT_EQ(education->count(), 2);
    EXPECT_EQ(education->itemText(0), "Magister");
}

TEST_F(WorkerDialogTest, WithoutGroupsTheDialogIsNotReady) {
    plan.groups.clear();
    plan.currentGroup = -1;
    ui::WorkerDialog d(doc, -1);
    EXPECT_FALSE(d.ready());
    EXPECT_EQ(d.exec(), QDialog::Rejected);
    EXPECT_EQ(ui->warnings.size(), 1u);
}

}  // namespace
}  // namespace planek::test
