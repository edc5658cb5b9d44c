#include "ui/dialogs/remove_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "calendar/time_text.h"
#include "document/duty_acts.h"
#include "editing/month_access.h"
#include "editing/panel_names.h"
#include "editing/typed_time.h"
#include "ui/dialogs/dialog_util.h"
#include "ui/gui_interaction.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {

QDialogButtonBox* buttons(QDialog* d, const Plan& plan, const char* form) {
    auto* box = okCancel(plan, form, d);
    QObject::connect(box, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return box;
}

}  // namespace

RemoveDialog::RemoveDialog(roster_document& doc, const std::string& menuItem, QWidget* parent)
    : QDialog(parent), doc_(doc) {
    const Plan& plan = doc.plan();
    constexpr const char* kForm = "f_Remove";
    setObjectName(kForm);
    setFittingTitle(this, caption(plan, kForm, kForm, "Usuń"));
    model_.open(menuItem);
    auto* layout = new QVBoxLayout(this);
    duties_ = new QCheckBox(caption(plan, kForm, "cb_Duties", "Dyżury"), this);
    duties_->setObjectName("cb_Duties");
    daysOff_ = new QCheckBox(caption(plan, kForm, "cb_DaysOff", "Wolne"), this);
    daysOff_->setObjectName("cb_DaysOff");
    duties_->setChecked(model_.duties);
    daysOff_->setChecked(model_.daysOff);
    layout->addWidget(duties_);
    layout->addWidget(daysOff_);
    auto scope = [&](const char* name, const std::string& first, const QString& second,
                     QRadioButton*& firstButton) {
        auto* box = new QGroupBox(this);
        box->setObjectName(name);
        auto* l = new QVBoxLayout(box);
        firstButton = new QRadioButton(qs(first), box);
        firstButton->setObjectName((std::string(name) + "0").c_str());
        auto* other = new QRadioButton(second, box);
        other->setObjectName((std::string(name) + "1").c_str());
        auto* group = new QButtonGroup(box);
        group->addButton(firstButton);
        group->addButton(other);
        firstButton->setChecked(true);
        l->addWidget(firstButton);
        l->addWidget(other);
        layout->addWidget(box);
    };
    scope("rg_RemoveFor", model_.workerScopeCaption(plan),
          caption(plan, kForm, "rg_RemoveFor1", "dla wszystkich pracowników"), forWorker_);
    scope("rg_RemoveFrom", model_.groupScopeCaption(plan),
          caption(plan, kForm, "rg_RemoveFrom1", "z wszystkich grup"), fromGroup_);
    layout->addWidget(buttons(this, plan, kForm));
}

void RemoveDialog::accept() {
    model_.duties = duties_->isChecked();
    model_.daysOff = daysOff_->isChecked();
    model_.currentWorkerOnly = forWorker_->isChecked();
    model_.selectedGroupOnly = fromGroup_->isChecked();
    if (!model_.duties && !model_.daysOff) return reject();
    const planek::result<> removed = remove_entries(doc_, model_);
    tell_user(doc_.interaction(), removed);
    if (removed)
        QDialog::accept();
    else
        reject();
}

SplitDialog::SplitDialog(roster_document& doc, const std::string& panel, QWidget* parent)
    : QDialog(parent), doc_(doc) {
    const Plan& plan = doc.plan();
    constexpr const char* kForm = "f_DutySplit";
    setObjectName(kForm);
    setFittingTitle(this, caption(plan, kForm, kForm, "Podziel dyżur"));
    auto* form = new QFormLayout(this);
    const auto ref = parse_panel_name(panel);
    const dyzur* duty = nullptr;
    if (ref && ref->duty) {
        const ms_* m = worker_month(plan, ref->worker);
        if (m && ref->day >= 0 && ref->day < kMaxDays && ref->position >= 0 &&
            ref->position < int(m->duties[ref->day].size()))
            duty = &m->duties[ref->day][ref->position];
    }
    ready_ = duty != nullptr;
    if (ready_) duty_ = {duty->id};
    auto* range = new QLabel(ready_ ? qs(split_dialog_range(plan, *duty)) : QString(), this);
    range->setObjectName("l_DutyRange");
    hour_ = timeField(plan, this, "me_SplitHour", 23);
    if (ready_) hour_->setText(qs(clock_time(duty->start % 1440)));
    form->addRow(caption(plan, kForm, "l_Duty", "Dyżur w godzinach:"), range);
    form->addRow(caption(plan, kForm, "l_SplitHour", "Godzina podziału:"), hour_);
    form->addRow(buttons(this, plan, kForm));
}

int SplitDialog::exec() { return ready_ ? QDialog::exec() : QDialog::Rejected; }

void SplitDialog::accept() {
    const Plan& plan = doc_.plan();
    const auto minute = typed_minutes(ss(hour_->text()), 23);
    if (!minute) {
        doc_.interaction().warn(bad_time_message(
            plan, {{ss(caption(plan, "f_DutySplit", "l_SplitHour", "Godzina podziału:")), ss(hour_->text())}}, 23));
        return;
    }
    const planek::result<duty_id> split = split_duty(doc_, duty_, *minute);
    tell_user(doc_.interaction(), split);
    result_ = {};
    if (split) {
        result_.outcome = split_outcome::Split;
    } else {
        result_.said = split.error();
        result_.outcome = split.error().kind == refusal_kind::SplitOnLastDay ? split_outcome::RefusedLastDay
                          : split.error().said()                             ? split_outcome::Refused
                                                                             : split_outcome::Unchanged;
    }
    QDialog::accept();
}

AboutDialog::AboutDialog(const Plan& plan, QWidget* parent) : QDialog(parent) {
    constexpr const char* kForm = "f_About";
    setObjectName(kForm);
    setFittingTitle(this, caption(plan, kForm, kForm, "O programie"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(appTitle(), this);
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 6);
    f.setBold(true);
    title->setFont(f);
    layout->addWidget(title);
    const QString version = QCoreApplication::applicationVersion();
    auto* v = new QLabel(
        caption(plan, kForm, "l_Version", "Wersja: ") + (version.isEmpty() ? "1.0" : version), this);
    v->setObjectName("l_Version");
    layout->addWidget(v);
    layout->addWidget(
        new QLabel(caption(plan, kForm, "l_About", "Planowanie dyżurów personelu oddziału."), this));
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    box->button(QDialogButtonBox::Ok)->setObjectName("sb_Ok");
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(box);
}

}  // namespace planek::ui
