#include "ui/plan_dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "calendar/calendar_grid.h"
#include "calendar/period_params.h"
#include "editing/day_duties.h"
#include "editing/duty_remove.h"
#include "editing/panel_names.h"
#include "document/duty_acts.h"
#include "document/parameter_acts.h"
#include "editing/refusal.h"
#include "ui/dialogs/dialog_util.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {

QStringList items_of(const QString& listText) {
    QString s = listText;
    s.replace("\\r", "\r").replace("\\n", "\n");
    const int cut = s.indexOf('\r');
    return (cut >= 0 ? s.mid(cut + 1) : s).split('\n');
}

QDialogButtonBox* ok_cancel(QDialog& d) {
    auto* b = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(b, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(b, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    return b;
}

}  // namespace

int first_plan_year() { return 2005; }
int last_plan_year(const Plan& plan) { return plan.clock->today().year + 5; }

bool run_parameters_dialog(roster_document& doc, QWidget* parent) {
    const Plan& plan = doc.plan();
    QDialog d(parent);
    d.setObjectName("f_Parameters");
    setFittingTitle(&d, text(plan, "f_Parameters", "f_Parameters", "Parametry"));
    auto* form = new QFormLayout(&d);
    auto* year = new QSpinBox;
    year->setObjectName("se_Year");
    year->setRange(first_plan_year(), last_plan_year(plan));
    year->setValue(plan.year);
    form->addRow(text(plan, "f_Parameters", "l_Year", "Rok:"), year);
    auto* month = new QListWidget;
    month->setObjectName("cb_Month");
    for (int m = 1; m <= 12; ++m) month->addItem(qs(month_name(plan, m)));
    month->setCurrentRow(plan.month - 1);
    QObject::connect(month, &QListWidget::itemDoubleClicked, &d, &QDialog::accept);
    form->addRow(text(plan, "f_Parameters", "l_Month", "Miesiąc:"), month);
    auto* monthMode = new QRadioButton(text(plan, "f_Parameters", "rb_MonthMode", "Miesiąc"));
    auto* weekMode = new QRadioButton(text(plan, "f_Parameters", "rb_WeekMode", "Tygodnie"));
    (plan.weekMode ? weekMode : monthMode)->setChecked(true);
    auto* weeksFrom = new QSpinBox;
    weeksFrom->setObjectName("se_WeeksFrom");
    weeksFrom->setRange(1, 51);
    weeksFrom->setValue(plan.weekModeFrom);
    auto* weeksCount = new QSpinBox;
    weeksCount->setObjectName("se_WeeksCount");
    weeksCount->setRange(1, 42);
    weeksCount->setValue(plan.weekModeCount);
    form->addRow(monthMode);
    form->addRow(weekMode, weeksFrom);
    form->addRow(text(plan, "f_Parameters", "l_WeeksCount", "Liczba tygodni:"), weeksCount);
    auto* status = new QComboBox;
    status->setObjectName("rg_Status");
    status->addItems(items_of(text(plan, "f_Parameters", "rg_Status", "Status: \rniezatwierdzony\nzatwierdzony")));
    status->setCurrentIndex(plan.approvedStatus == 1 ? 1 : 0);
    form->addRow(text(plan, "f_Parameters", "l_Status", "Status:"), status);
    auto* type = new QComboBox;
    type->setObjectName("cb_Type");
    type->addItems(items_of(text(plan, "f_Parameters", "cb_Type", "Typ: \rplanowany\nzrealizowany")));
    type->setCurrentIndex(plan.planType == 1 ? 1 : 0);
    form->addRow(text(plan, "f_Parameters", "l_Type", "Typ:"), type);
    form->addRow(ok_cancel(d));
    if (d.exec() != QDialog::Accepted) return false;

    plan_parameters p;
    p.year = year->value();
    p.month = month->currentRow() + 1;
    p.weekMode = weekMode->isChecked();
    p.weekModeFrom = weeksFrom->value();
    p.weekModeCount = weeksCount->value();
    p.approvedStatus = status->currentIndex();
    p.planType = type->currentIndex();
    const planek::result<ParametersOutcome> changed = change_parameters(doc, p);
    tell_user(doc.interaction(), changed);
    return true;
}

bool run_day_properties_dialog(roster_document& doc, int dayIndex, QWidget* parent) {
    const Plan& plan = doc.plan();
    const day_properties props = wlasciwosci_dnia(plan, dayIndex);
    QDialog d(parent);
    d.setObjectName("f_DayProperties");
    setFittingTitle(&d, text(plan, "f_DayProperties", "f_DayProperties", "Dzień - parametry"));
    auto* v = new QVBoxLayout(&d);
    // Which day this is, in words: the dialog covers the calendar.
    auto* day = new QLabel(plan.weekMode ? QString() : qs(date_in_words(plan, plan.year, plan.month, dayIndex + 1)));
    day->setObjectName("l_Day");
    QFont bold = day->font();
    bold.setBold(true);
    day->setFont(bold);
    v->addWidget(day);
    auto* pages = new QTabWidget;
    pages->setObjectName("pc_DayProperties");
    v->addWidget(pages);

    auto* dayPage = new QWidget;
    auto* dv = new QVBoxLayout(dayPage);
    auto* label = new QLabel;
    auto* notes = new QPlainTextEdit(qs(props.note));
    notes->setObjectName("m_Notes");
    // Refused as typed: a note the month file cannot hold would make every
    // save of the month fail from then on.
    auto* refused = new QLabel;
    refuseUnencodable(plan, notes, refused);
    auto update = [&] {
        const std::string cut = przytnij_notatke(ss(notes->toPlainText()));
        if (cut != ss(notes->toPlainText())) {
            notes->setPlainText(qs(cut));
            notes->moveCursor(QTextCursor::End);
        }
        label->setText(qs(l_notes_caption(plan, cut)));
    };
    QObject::connect(notes, &QPlainTextEdit::textChanged, &d, update);
    update();
    dv->addWidget(label);
    dv->addWidget(notes);
    dv->addWidget(refused);
    auto* er = new QCheckBox(text(plan, "f_DayProperties", "cb_ERDuty", "Ostry dyżur"));
    er->setObjectName("cb_ERDuty");
    er->setChecked(props.erDuty);
    dv->addWidget(er);
    auto* restore =
        new QPushButton(text(plan, "f_DayProperties", "b_DefaultHoliday", "Przywróć domyślne ustawienia święta"));
    restore->setObjectName("b_DefaultHoliday");
    restore->setEnabled(props.ownHoliday);
    QObject::connect(restore, &QPushButton::clicked, &d, [&] {
        tell_user(doc.interaction(), restore_default_holiday(doc, dayIndex));
        restore->setEnabled(false);
    });
    dv->addWidget(restore);
    pages->addTab(dayPage, text(plan, "f_DayProperties", "ts_Day", "Dzień"));

    // The duties of the day; the menu removes one as the calendar's does.
    auto* duties = new QListWidget;
    duties->setObjectName("lb_Duties");
    duties->setContextMenuPolicy(Qt::CustomContextMenu);
    bool dutiesChanged = false;
    std::vector<day_duty_entry> entries;
    auto fillDuties = [&] {
        entries = duties_of_day(plan, dayIndex);
        duties->clear();
        for (const day_duty_entry& e : entries) duties->addItem(qs(e.text));
    };
    fillDuties();
    auto* remove = new QAction(text(plan, "f_DayProperties", "mi_DutyDelete", "Usuń dyżur..."), duties);
    remove->setObjectName("mi_DutyDelete");
    QObject::connect(remove, &QAction::triggered, &d, [&] {
        const int row = duties->currentRow();
        if (row < 0 || row >= int(entries.size())) return;
        const day_duty_entry e = entries[size_t(row)];
        const std::optional<duty_id> id = duty_at(plan, {e.worker, dayIndex, e.position});
        if (!id) return;
        const planek::result<> removed = remove_duty(doc, *id, true);
        tell_user(doc.interaction(), removed);
        if (!removed) return;
        dutiesChanged = true;
        fillDuties();
    });
    duties->addAction(remove);
    QObject::connect(duties, &QListWidget::customContextMenuRequested, &d, [&](const QPoint& at) {
        if (duties->itemAt(at)) QMenu::exec({remove}, duties->viewport()->mapToGlobal(at), nullptr, duties);
    });
    pages->addTab(duties, text(plan, "f_DayProperties", "ts_Duties", "Dyżury"));

    v->addWidget(ok_cancel(d));
    if (d.exec() != QDialog::Accepted) return dutiesChanged || !props.ownHoliday || !restore->isEnabled();
    tell_user(doc.interaction(), save_day_properties(doc, dayIndex, ss(notes->toPlainText()), er->isChecked()));
    return true;
}

}  // namespace planek::ui
