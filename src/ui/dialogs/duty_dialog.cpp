#include "ui/dialogs/duty_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "calendar/time_text.h"
#include "editing/month_access.h"
#include "editing/typed_time.h"
#include "ui/dialogs/dialog_util.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {

constexpr const char* kForm = "f_DutyAdd";

// A typed time in the model's "h:mm" form; the text itself when unreadable.
std::string normalised(const QLineEdit* e, bool allowNegative = false) {
    const auto m = typed_minutes(ss(e->text()), 999, allowNegative);
    return m ? min2h(*m) : ss(e->text());
}

}  // namespace

DutyDialog::DutyDialog(roster_document& doc, int worker, int dayIndex, const dyzur& prepared, QWidget* parent)
    : QDialog(parent), doc_(doc), plan_(doc.plan()) {
    model_.openAdd(plan_, worker, dayIndex, prepared);
    ready_ = worker >= 0 && worker < int(plan_.workers.size());
    build();
}

DutyDialog::DutyDialog(roster_document& doc, const std::string& panel, QWidget* parent)
    : QDialog(parent), doc_(doc), plan_(doc.plan()) {
    ready_ = model_.openEdit(plan_, panel);
    if (ready_)
        if (const std::optional<duty_place> at = model_.editedPlace()) edited_ = duty_at(plan_, *at).value_or(duty_id{});
    build();
}

int DutyDialog::exec() { return ready_ ? QDialog::exec() : QDialog::Rejected; }

void DutyDialog::build() {
    setObjectName(kForm);
    setFittingTitle(this, caption(plan_, kForm, kForm, "Dodaj/Edytuj dyżur"));
    auto* layout = new QVBoxLayout(this);
    worker_ = new QLabel(this);
    worker_->setObjectName("l_Worker");
    date_ = new QLabel(this);
    date_->setObjectName("l_Date");
    QFont bold = worker_->font();
    bold.setBold(true);
    worker_->setFont(bold);
    layout->addWidget(worker_);
    layout->addWidget(date_);

    auto* top = new QFormLayout;
    group_ = new QComboBox(this);
    group_->setObjectName("cb_Group");
    day_ = new QComboBox(this);
    day_->setObjectName("cb_Day");
    top->addRow(caption(plan_, kForm, "l_Group", "Grupa:"), group_);
    top->addRow(caption(plan_, kForm, "l_Day", "Dzień:"), day_);
    layout->addLayout(top);

    typeBox_ = new QGroupBox(this);
    typeBox_->setObjectName("rg_DutyType");
    auto* grid = new QGridLayout(typeBox_);
    type_ = new QButtonGroup(this);
    const char* types[][2] = {{"rg_DutyType0", "\"8\""},
                              {"rg_DutyType1", "Całą zmianę"},
                              {"rg_DutyType2", "Dopracowanie pracownika"},
                              {"rg_DutyType3", "Dopracowanie grupy"},
                              {"rg_DutyType4", "Inny [godz.]: "}};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QRadioButton(caption(plan_, kForm, types[i][0], types[i][1]), typeBox_);
        b->setObjectName(types[i][0]);
        type_->addButton(b, i);
        grid->addWidget(b, i, 0);
    }
    worker8_ = new QCheckBox(caption(plan_, kForm, "cb_Worker8", "Pracownika"), typeBox_);
    worker8_->setObjectName("cb_Worker8");
    grid->addWidget(worker8_, 0, 1);
    time_ = timeField(plan_, typeBox_, "me_Time", 24);
    grid->addWidget(time_, 4, 1);
    layout->addWidget(typeBox_);

    auto* barRow = new QHBoxLayout;
    barStart_ = new QLabel(this);
    barEnd_ = new QLabel(this);
    bar_ = new QScrollBar(Qt::Horizontal, this);
    bar_->setObjectName("pb_ShiftLength");
    barRow->addWidget(barStart_);
    barRow->addWidget(bar_, 1);
    barRow->addWidget(barEnd_);
    layout->addLayout(barRow);

    auto* form = new QFormLayout;
    start_ = timeField(plan_, this, "me_DutyFrom", 24);
    overtime_ = timeField(plan_, this, "me_DutyOvertime", 24, true);
    alsoOvertime_ = new QCheckBox(
        caption(plan_, kForm, "cb_DutyAlsoAsOvertime", "Dyżur licz także jako godziny nadliczbowe"), this);
    alsoOvertime_->setObjectName("cb_DutyAlsoAsOvertime");
    dutyAs_ = new QComboBox(this);
    dutyAs_->setObjectName("cb_DutyAs");
    note_ = textField(plan_, this, "e_Note", 30);
    onRequest_ = new QCheckBox(caption(plan_, kForm, "cb_OnRequest", "Na życzenie"), this);
    onRequest_->setObjectName("cb_OnRequest");
    medical_ = new QCheckBox(caption(plan_, kForm, "cb_Medical", "Dyżur medyczny"), this);
    medical_->setObjectName("cb_Medical");
    form->addRow(caption(plan_, kForm, "l_DutyFrom", "Od godziny:"), start_);
    form->addRow(caption(plan_, kForm, "l_DutyOvertime", "Nadgodziny:"), overtime_);
    form->addRow(alsoOvertime_);
    form->addRow(caption(plan_, kForm, "l_DutyAs", "Jako:"), dutyAs_);
    form->addRow(caption(plan_, kForm, "l_Note", "Uwagi:"), note_);
    form->addRow(onRequest_);
    form->addRow(medical_);
    layout->addLayout(form);

    auto* buttons = okCancel(plan_, kForm, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(type_, &QButtonGroup::idClicked, this, [this](int id) {
        model_.type = duty_type(id);
        refreshBar();
    });
    connect(worker8_, &QCheckBox::toggled, this, [this](bool on) {
        if (filling_) return;
        model_.setWorker8(on);
        if (on) type_->button(0)->setChecked(true);
        refreshBar();
    });
    connect(time_, &QLineEdit::textEdited, this, [this] {
        model_.setTimeText(normalised(time_));
        type_->button(4)->setChecked(true);
        refreshBar();
    });
    connect(start_, &QLineEdit::textEdited, this, [this] {
        model_.startText = normalised(start_);
        refreshBar();
    });
    connect(group_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (filling_) return;
        model_.groupIndex = i;
        refreshBar();
    });
    connect(alsoOvertime_, &QCheckBox::toggled, this, [this](bool on) {
        if (filling_) return;
        model_.setAlsoOvertime(on);
        overtime_->setEnabled(model_.overtimeEnabled);
        overtime_->setText(qs(model_.overtimeText));
    });
    // A step that would push the thumb past the shift's end is refused.
    connect(bar_, &QScrollBar::valueChanged, this, [this](int position) {
        if (filling_) return;
        if (!model_.moveBar(plan_, position)) {
            filling_ = true;
            bar_->setValue(model_.bar(plan_).position);
            filling_ = false;
            return;
        }
        filling_ = true;
        start_->setText(qs(model_.startText));
        filling_ = false;
        refreshBar();
    });
    if (ready_) fillControls();
}

void DutyDialog::fillControls() {
    filling_ = true;
    worker_->setText(qs(model_.captionLine(plan_)));
    date_->setText(qs(model_.dateLine(plan_)));
    for (const std::string& g : model_.groupEntries(plan_)) group_->addItem(qs(g));
    group_->setCurrentIndex(model_.groupIndex);
    const int first = first_day_of_month(plan_);
    for (int d = 0; d < int(plan_.days.size()); ++d) day_->addItem(QString::number(first + d), first + d);
    day_->setCurrentIndex(std::max(0, model_.dayOfMonth - first));
    if (model_.type != duty_type::None) type_->button(int(model_.type))->setChecked(true);
    worker8_->setVisible(model_.worker8Visible(plan_));
    worker8_->setChecked(model_.worker8);
    time_->setText(qs(model_.timeText));
    start_->setText(qs(model_.startText));
    overtime_->setText(qs(model_.overtimeText));
    overtime_->setEnabled(model_.overtimeEnabled);
    alsoOvertime_->setChecked(model_.alsoOvertime);
    for (const std::string& s : model_.dutyAsEntries(plan_)) dutyAs_->addItem(qs(s));
    dutyAs_->setCurrentIndex(model_.dutyAsIndex);
    note_->setText(qs(model_.note));
    onRequest_->setChecked(model_.onRequest);
    medical_->setChecked(model_.medical);
    filling_ = false;
    refreshBar();
}

// odswiez_pasek
void DutyDialog::refreshBar() {
    const duty_bar b = model_.bar(plan_);
    filling_ = true;
    bar_->setEnabled(b.enabled);
    if (b.enabled) {
        bar_->setRange(0, std::max(0, b.max - b.thumb + 1));
        bar_->setPageStep(std::max(1, b.thumb));
        bar_->setSingleStep(5);
        bar_->setValue(b.position);
        bar_->setToolTip(qs(b.hint));
    } else {
        bar_->setToolTip(QString());
    }
    filling_ = false;
    const std::string labels = model_.shiftBarLabels(plan_);
    const size_t split = labels.find('\t');
    barStart_->setText(qs(labels.substr(0, split)));
    barEnd_->setText(split == std::string::npos ? QString() : qs(labels.substr(split + 1)));
    typeBox_->setTitle(qs(model_.typeCaption(plan_)));
}

bool DutyDialog::readTimes() {
    std::vector<typed_field> times{
        {ss(caption(plan_, kForm, "l_DutyFrom", "Od godziny:")), ss(start_->text())}};
    if (type_->checkedId() == 4)
        times.push_back({ss(caption(plan_, kForm, "rg_DutyType4", "Inny [godz.]: ")), ss(time_->text())});
    std::string bad = bad_time_message(plan_, times, 24);
    if (bad.empty() && overtime_->isEnabled())
        bad = bad_time_message(
            plan_, {{ss(caption(plan_, kForm, "l_DutyOvertime", "Nadgodziny:")), ss(overtime_->text())}}, 24,
            true);
    if (bad.empty())
        bad =
            unencodable_message(plan_, {{ss(caption(plan_, kForm, "l_Note", "Uwagi:")), ss(note_->text())}});
    if (!bad.empty()) {
        doc_.interaction().warn(bad);
        return false;
    }
    model_.startText = normalised(start_);
    model_.timeText = normalised(time_);
    model_.overtimeText = overtime_->isEnabled() ? normalised(overtime_, true) : "0:00";
    return true;
}

void DutyDialog::accept() {
    if (!readTimes()) return;
    model_.type = duty_type(type_->checkedId());
    model_.worker8 = worker8_->isChecked();
    model_.groupIndex = group_->currentIndex();
    model_.dayOfMonth = day_->currentData().toInt();
    model_.dutyAsIndex = std::max(0, dutyAs_->currentIndex());
    model_.note = ss(note_->text());
    model_.onRequest = onRequest_->isChecked();
    model_.medical = medical_->isChecked();
    model_.alsoOvertime = alsoOvertime_->isChecked();
    const planek::result<duty_args> typed = model_.args(plan_);
    if (!typed) {
        tell_user(doc_.interaction(), typed);
        result_ = duty_dialog_result::NoLength;
        return;
    }
    if (model_.panel.empty()) {
        const planek::result<duty_added> added = add_duty(doc_, *typed);
        tell_user(doc_.interaction(), added);
        if (!added) {
            result_ = added.error().kind == refusal_kind::NoDutyLength ? duty_dialog_result::NoLength
                                                                       : duty_dialog_result::Refused;
            return;
        }
        result_ = added->filledMonth ? duty_dialog_result::FilledMonth : duty_dialog_result::Added;
    } else {
        const planek::result<duty_id> edited = edit_duty(doc_, edited_, *typed);
        tell_user(doc_.interaction(), edited);
        if (!edited) {
            result_ = duty_dialog_result::Refused;
            return;
        }
        result_ = duty_dialog_result::Edited;
    }
    QDialog::accept();
}

}  // namespace planek::ui
