#include "ui/dialogs/day_off_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

#include "calendar/time_text.h"
#include "editing/month_access.h"
#include "editing/typed_time.h"
#include "ui/dialogs/dialog_util.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {
constexpr const char* kForm = "f_DayOffAdd";
}

DayOffDialog::DayOffDialog(roster_document& doc, int worker, int dayIndex, QWidget* parent)
    : QDialog(parent), doc_(doc), plan_(doc.plan()) {
    ready_ =
        worker >= 0 && worker < int(plan_.workers.size()) && dayIndex >= 0 && dayIndex < int(plan_.days.size());
    if (ready_) model_.openAdd(plan_, worker, dayIndex);
    build();
}

DayOffDialog::DayOffDialog(roster_document& doc, const std::string& panel, QWidget* parent)
    : QDialog(parent), doc_(doc), plan_(doc.plan()) {
    ready_ = model_.openEdit(plan_, panel);
    if (ready_)
        if (const std::optional<day_off_place> at = model_.editedPlace())
            edited_ = day_off_at(plan_, at->worker, at->dayIndex).value_or(day_off_id{});
    build();
}

int DayOffDialog::exec() { return ready_ ? QDialog::exec() : QDialog::Rejected; }

void DayOffDialog::build() {
    setObjectName(kForm);
    setFittingTitle(this, caption(plan_, kForm, kForm, "Dodaj/Edytuj wolne"));
    auto* layout = new QVBoxLayout(this);
    kinds_ = new QListWidget(this);
    kinds_->setObjectName("lb_DayOffType");
    layout->addWidget(kinds_);
    normLabel_ = new QLabel(this);
    normLabel_->setObjectName("l_DayOffNorma");
    layout->addWidget(normLabel_);
    auto* form = new QFormLayout;
    first_ = new QLabel(this);
    second_ = new QLabel(this);
    from_ = new QSpinBox(this);
    from_->setObjectName("se_DayOffFrom");
    to_ = new QSpinBox(this);
    to_->setObjectName("se_DayOffTo");
    custom_ = new QCheckBox(caption(plan_, kForm, "cb_CustomNorma", "Własny:"), this);
    custom_->setObjectName("cb_CustomNorma");
    norm_ = timeField(plan_, this, "me_Norma", 999);
    partTime_ = new QCheckBox(
        caption(plan_, kForm, "cb_NormWithPartTime", "Normatyw dzienny proporcjonalny do etatu"), this);
    partTime_->setObjectName("cb_NormWithPartTime");
    form->addRow(first_, from_);
    form->addRow(second_, to_);
    form->addRow(custom_, norm_);
    form->addRow(partTime_);
    layout->addLayout(form);
    auto* buttons = okCancel(plan_, kForm, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(kinds_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_ || row < 0) return;
        model_.kindIndex = row;
        refresh(true);
    });
    for (QSpinBox* s : {from_, to_})
        connect(s, &QSpinBox::valueChanged, this, [this] {
            if (!filling_) refresh(true);
        });
    connect(custom_, &QCheckBox::toggled, this, [this](bool on) {
        if (filling_) return;
        model_.customNorm = on;
        refresh(true);
    });
    connect(partTime_, &QCheckBox::toggled, this, [this](bool on) {
        if (filling_) return;
        model_.normWithPartTime = on;
        refresh(true);
    });
    if (ready_) fillControls();
}

void DayOffDialog::fillControls() {
    filling_ = true;
    for (const std::string& k : model_.kindEntries(plan_)) kinds_->addItem(qs(k));
    kinds_->setCurrentRow(model_.kindIndex);
    kinds_->setEnabled(model_.kindListEnabled);
    custom_->setChecked(model_.customNorm);
    partTime_->setChecked(model_.normWithPartTime);
    norm_->setText(qs(model_.normText));
    filling_ = false;
    refresh(false);
}

void DayOffDialog::readDays() {
    model_.firstDay = from_->value();
    model_.secondDay = to_->value();
}

// Labels and ranges follow the kind; the norm label follows the range.
void DayOffDialog::refresh(bool readSpins) {
    if (readSpins) readDays();
    filling_ = true;
    const int first = first_day_of_month(plan_);
    const int last = first + std::max(0, int(plan_.days.size()) - 1);
    const bool noDuty = model_.noDutyKind(plan_);
    first_->setText(qs(model_.firstFieldLabel(plan_)));
    second_->setText(qs(model_.secondFieldLabel(plan_)));
    from_->setRange(first, last);
    const int shifts = plan_.group() ? std::max<int>(1, int(plan_.group()->shifts.size())) : 1;
    to_->setRange(noDuty ? 1 : first, noDuty ? shifts : last);
    from_->setValue(model_.firstDay);
    to_->setValue(model_.secondDay);
    readDays();
    if (!model_.customNorm) model_.refreshNorm(plan_);
    normLabel_->setText(qs(model_.normLabel(plan_)));
    if (!model_.customNorm) norm_->setText(qs(model_.normText));
    norm_->setEnabled(model_.normEditable());
    filling_ = false;
}

void DayOffDialog::accept() {
    readDays();
    model_.customNorm = custom_->isChecked();
    model_.normWithPartTime = partTime_->isChecked();
    if (model_.customNorm) {
        const std::string bad = bad_time_message(
            plan_, {{ss(caption(plan_, kForm, "cb_CustomNorma", "Własny:")), ss(norm_->text())}}, 999);
        if (!bad.empty()) {
            doc_.interaction().warn(bad);
            return;
        }
        model_.normText = min2h(*typed_minutes(ss(norm_->text()), 999));
    }
    const day_off_args typed = model_.args(plan_);
    const planek::result<day_off_id> stored = model_.panel.empty() ? add_day_off(doc_, typed) : edit_day_off(doc_, edited_, typed);
    tell_user(doc_.interaction(), stored);
    if (!stored) {
        result_ = day_off_dialog_result::Refused;
        return;
    }
    result_ = model_.panel.empty() ? day_off_dialog_result::Added : day_off_dialog_result::Edited;
    QDialog::accept();
}

}  // namespace planek::ui
