#include "ui/dialogs/worker_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "calendar/time_text.h"
#include "document/staff_acts.h"
#include "ui/dialogs/dialog_util.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {

constexpr const char* kForm = "f_WorkerAdd";

// Pattern digits: "0" up to the shift count of the current group.
class PatternValidator : public QValidator {
public:
    PatternValidator(const Plan& plan, QObject* parent) : QValidator(parent), plan_(plan) {}
    State validate(QString& input, int&) const override {
        for (QChar c : input)
            if (c.unicode() > 127 || !worker_dialog_model::patternKeyAccepted(plan_, char(c.unicode()))) {
                QApplication::beep();
                return Invalid;
            }
        return Acceptable;
    }

private:
    const Plan& plan_;
};

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QCheckBox(text, parent);
    b->setObjectName(name);
    return b;
}

QSpinBox* spin(QWidget* parent, const char* name, int lo, int hi) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(lo, hi);
    return s;
}

}  // namespace

WorkerDialog::WorkerDialog(roster_document& doc, int worker, QWidget* parent)
    : WorkerDialog(doc, ownForm_, worker, parent) {}

WorkerDialog::WorkerDialog(roster_document& doc, worker_dialog_model& form, int worker, QWidget* parent)
    : QDialog(parent), doc_(doc), plan_(doc.plan()), model_(form) {
    const Plan& plan = plan_;
    setObjectName(kForm);
    setFittingTitle(this, caption(plan, kForm, kForm, "Dodaj/Edytuj pracownika"));
    const planek::result<> opened = worker < 0 ? model_.openAdd(plan, doc.random()) : model_.openEdit(plan, worker);
    tell_user(doc.interaction(), opened);
    ready_ = opened.ok();
    model_.storedIndex = -1;
    model_.nickChanged = false;
    pages_ = new QTabWidget(this);
    pages_->addTab(buildData(), caption(plan, kForm, "ts_Data", "&Dane"));
    pages_->addTab(buildGroups(), caption(plan, kForm, "ts_Group", "&Grupa"));
    pages_->addTab(buildAddress(), caption(plan, kForm, "ts_Address", "&Adres"));
    pages_->addTab(buildExtra(), caption(plan, kForm, "ts_Other", "D&odatkowe"));
    pages_->addTab(buildLeave(), caption(plan, kForm, "ts_Holidays", "&Urlopy"));
    pages_->addTab(buildWorkTime(), caption(plan, kForm, "ts_WorkTime", "&Czas pracy"));
    pages_->addTab(buildAutomat(), caption(plan, kForm, "ts_Automat", "A&utomat"));
    if (plan.options.user.tab_adress_visible) pages_->setTabVisible(2, *plan.options.user.tab_adress_visible);
    if (plan.options.user.tab_other_visible) pages_->setTabVisible(3, *plan.options.user.tab_other_visible);
    auto* buttons = okCancel(plan, kForm, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(buttons);
    onCustomizeList = [this](int list) {
        OptionsDialog options(doc_, this);
        options.showPage(list == 0 ? OptionsDialog::Occupations : OptionsDialog::Educations);
        options.exec();
    };
    if (ready_) fillControls();
}

int WorkerDialog::exec() { return ready_ ? QDialog::exec() : QDialog::Rejected; }

QWidget* WorkerDialog::buildData() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    surname_ = textField(plan_, page, "e_Surname");
    name_ = textField(plan_, page, "e_Name");
    nick_ = textField(plan_, page, "e_Nick", 3);
    nick_->setToolTip(caption(plan_, kForm, "e_Nick_hint",
                              "Nazwa krótka będzie się pojawiać na dodawanych dyżurach i wolnych"));
    colour_ = new ColourButton(caption(plan_, kForm, "p_ColorChoose", "Kliknij aby wybrać"), page);
    colour_->setObjectName("p_ColorChoose");
    occupation_ = new QComboBox(page);
    occupation_->setObjectName("cb_Occupation");
    occupation_->setEditable(true);
    occupation_->lineEdit()->setValidator(new Cp1250Validator(plan_, occupation_->lineEdit()));
    id_ = new QLabel(page);
    id_->setObjectName("l_Id");
    old_ = checkBox(page, "cb_Old", caption(plan_, kForm, "cb_Old", "Zablokowany"));
    form->addRow(caption(plan_, kForm, "l_Surname", "Nazwisko: "), surname_);
    form->addRow(caption(plan_, kForm, "l_Name", "Imię: "), name_);
    form->addRow(caption(plan_, kForm, "l_Nick", "Nazwa krótka (maks. 2 znaki): "), nick_);
    form->addRow(caption(plan_, kForm, "l_Color", "Kolor: "), colour_);
    form->addRow(caption(plan_, kForm, "l_Occupation", "Stanowisko: "), occupation_);
    form->addRow(id_, old_);
    // Initials go into an empty short name once both names are known.
    for (QLineEdit* e : {surname_, name_})
        connect(e, &QLineEdit::editingFinished, this, [this] {
            model_.f.surname = ss(surname_->text());
            model_.f.firstName = ss(name_->text());
            model_.f.nick = ss(nick_->text());
            model_.fillInitials();
            nick_->setText(qs(model_.f.nick));
        });
    connect(occupation_, &QComboBox::activated, this, [this] { listChosen(occupation_, 0); });
    return page;
}

QWidget* WorkerDialog::buildGroups() {
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    groups_ = new QListWidget(page);
    groups_->setObjectName("clb_Group");
    l->addWidget(groups_);
    return page;
}

QWidget* WorkerDialog::buildAddress() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    address_ = textField(plan_, page, "e_Address");
    postOffice_ = textField(plan_, page, "e_PostOffice");
    zip_ = textField(plan_, page, "e_ZipCode");
    phone_ = textField(plan_, page, "e_PhoneNumber");
    email_ = textField(plan_, page, "e_Email");
    form->addRow(caption(plan_, kForm, "l_Address", "Adres: "), address_);
    form->addRow(caption(plan_, kForm, "l_PostOffice", "Poczta: "), postOffice_);
    form->addRow(caption(plan_, kForm, "l_ZipCode", "Kod pocztowy: "), zip_);
    form->addRow(caption(plan_, kForm, "l_PhoneNumber", "Telefon: "), phone_);
    form->addRow(caption(plan_, kForm, "l_Email", "E-mail: "), email_);
    return page;
}

QWidget* WorkerDialog::buildExtra() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    pesel_ = textField(plan_, page, "e_pesel");
    education_ = new QComboBox(page);
    education_->setObjectName("cb_education");
    education_->setEditable(true);
    education_->lineEdit()->setValidator(new Cp1250Validator(plan_, education_->lineEdit()));
    courses_ = textField(plan_, page, "e_courses");
    user1_ = textField(plan_, page, "e_user1");
    user2_ = textField(plan_, page, "e_user2");
    user3_ = textField(plan_, page, "e_user3");
    employment_ = new QComboBox(page);
    employment_->setObjectName("cb_EmploymentFrom");
    form->addRow(caption(plan_, kForm, "l_pesel", "PESEL: "), pesel_);
    form->addRow(caption(plan_, kForm, "l_education", "Wykształcenie: "), education_);
    form->addRow(caption(plan_, kForm, "l_courses", "Ukończone kursy: "), courses_);
    form->addRow(caption(plan_, kForm, "l_user1", "Inne 1: "), user1_);
    form->addRow(caption(plan_, kForm, "l_user2", "Inne 2: "), user2_);
    form->addRow(caption(plan_, kForm, "l_user3", "Inne 3: "), user3_);
    form->addRow(caption(plan_, kForm, "l_EmploymentFrom", "Forma zatrudnienia:"), employment_);
    connect(education_, &QComboBox::activated, this, [this] { listChosen(education_, 1); });
    for (QLineEdit* e : {pesel_, courses_, user1_, user2_, user3_})
        connect(e, &QLineEdit::editingFinished, this, [this] {
            model_.f.surname = ss(surname_->text());
            model_.f.firstName = ss(name_->text());
            model_.f.nick = ss(nick_->text());
            model_.fillInitials();
            nick_->setText(qs(model_.f.nick));
        });
    return page;
}

QWidget* WorkerDialog::buildLeave() {
    auto* page = new QGroupBox(caption(plan_, kForm, "gb_Holidays", "Pozostaje..."));
    auto* form = new QFormLayout(page);
    currentYear_ = timeField(plan_, page, "me_CurrentYearHoliday", 999, true);
    lastYear_ = timeField(plan_, page, "me_LastYearHoliday", 999, true);
    careMode_ = new QComboBox(page);
    careMode_->setObjectName("cb_CareDaysMode");
    careMode_->addItems({caption(plan_, kForm, "cb_CareDaysMode_days", "dni"),
                         caption(plan_, kForm, "cb_CareDaysMode_hours", "godzin")});
    careDays_ = spin(page, "se_CareDays", 0, 2);
    careHours_ = timeField(plan_, page, "me_CareDaysAsHours");
    rehaDays_ = spin(page, "se_RehaDays", 0, 20);
    auto* care = new QHBoxLayout;
    care->addWidget(careMode_);
    care->addWidget(careDays_);
    care->addWidget(careHours_);
    form->addRow(caption(plan_, kForm, "l_CurrentYearHoliday", "godzin urlopu wypoczynkowego: "),
                 currentYear_);
    form->addRow(caption(plan_, kForm, "l_LastYearHoliday", "godzin urlopu wyp. z poprz. roku: "), lastYear_);
    form->addRow(caption(plan_, kForm, "l_CareDays", "dni opieki: "), care);
    form->addRow(caption(plan_, kForm, "l_RehaDays", "dni urlopu rehabilitacyjnego: "), rehaDays_);
    connect(careMode_, &QComboBox::currentIndexChanged, this, &WorkerDialog::refreshEnabled);
    return page;
}

QWidget* WorkerDialog::buildWorkTime() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    partTime_ = textField(plan_, page, "e_PartTime", 10);
    ownNormBox_ =
        checkBox(page, "cb_wn_Norma", caption(plan_, kForm, "cb_wn_Norma", "Własny normatyw miesięczny [h]"));
    ownNorm_ = timeField(plan_, page, "me_wnq_Norma");
    ownNormCalc_ = checkBox(page, "cb_wn_OwnNormaCalculated",
                            caption(plan_, kForm, "cb_wn_OwnNormaCalculated",
                                    "Licz jako iloczyn ilości dni roboczych i podanej wartości "));
    auto* saveDefault =
        new QPushButton(caption(plan_, kForm, "b_PartTimeAsDefault", "Zapisz jako domyślne"), page);
    saveDefault->setObjectName("b_PartTimeAsDefault");
    defaultPartTime_ = new QLabel(page);
    defaultPartTime_->setObjectName("l_DefaultPartTime");
    defaultNorm_ = new QLabel(page);
    defaultNorm_->setObjectName("l_DefaultMonthNorma");
    lastMonthAuto_ = new QLabel(page);
    lastMonthAuto_->setObjectName("l_LastMonthAutoHours");
    lastMonth_ = timeField(plan_, page, "me_LastMonthHours", 500, true);
    form->addRow(caption(plan_, kForm, "l_PartTime", "Wymiar etatu dla bieżącego miesiąca [%]: "), partTime_);
    form->addRow(ownNormBox_, ownNorm_);
    form->addRow(ownNormCalc_);
    auto* defaults = new QHBoxLayout;
    defaults->addWidget(new QLabel(caption(plan_, kForm, "l_Defaults", "Wartości domyślne:"), page));
    defaults->addWidget(defaultPartTime_);
    defaults->addWidget(defaultNorm_);
    defaults->addWidget(saveDefault);
    form->addRow(defaults);
    form->addRow(new QLabel(caption(plan_, kForm, "l_Overtime", "Nadpracowania: "), page));
    form->addRow(caption(plan_, kForm, "l_LastMonthAuto", "z poprzedniego miesiąca: "), lastMonthAuto_);
    form->addRow(caption(plan_, kForm, "l_LastMonthHours", "korekta ręczna:"), lastMonth_);
    connect(ownNormBox_, &QCheckBox::toggled, this, &WorkerDialog::refreshEnabled);
    connect(ownNorm_, &QLineEdit::editingFinished, this, [this] {
        QString t = ownNorm_->text();
        ownNorm_->setText(t.replace(' ', '0'));
    });
    connect(saveDefault, &QPushButton::clicked, this, [this] {
        model_.f.partTime = ss(partTime_->text());
        model_.f.ownNormText = ss(ownNorm_->text());
        model_.f.ownNorm = ownNormBox_->isChecked();
        model_.f.ownNormCalculated = ownNormCalc_->isChecked();
        model_.saveAsDefault();
        defaultPartTime_->setText(qs(model_.defaultPartTimeLabel()));
        defaultNorm_->setText(qs(model_.defaultNormLabel()));
    });
    return page;
}

QWidget* WorkerDialog::buildAutomat() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    without_ = new QRadioButton(caption(plan_, kForm, "rb_WithoutAuto", "Nie rozpisuj"), page);
    without_->setObjectName("rb_WithoutAuto");
    auto8_ = new QRadioButton(caption(plan_, kForm, "rb_Auto8", "Dyżury 8-godzinne na zmianie:"), page);
    auto8_->setObjectName("rb_Auto8");
    scheme_ = new QRadioButton(caption(plan_, kForm, "rb_AutoScheme", "Dyżury według wzorca:"), page);
    scheme_->setObjectName("rb_AutoScheme");
    pattern8_ = new QLineEdit(page);
    pattern8_->setObjectName("e_SystemPattern8");
    pattern8_->setValidator(new PatternValidator(plan_, pattern8_));
    pattern_ = new QLineEdit(page);
    pattern_->setObjectName("e_SystemPattern");
    pattern_->setValidator(new PatternValidator(plan_, pattern_));
    start8_ = spin(page, "se_AutoSystemStartFrom8", 1, 1);
    start_ = spin(page, "se_AutoSystemStartFrom", 1, 1);
    const8_ = checkBox(page, "cb_Auto8ConstStartValue",
                       caption(plan_, kForm, "cb_AutoConstStartValue", "Co miesiąc"));
    constS_ = checkBox(page, "cb_AutoConstStartValue",
                       caption(plan_, kForm, "cb_AutoConstStartValue", "Co miesiąc"));
    asWeek_ = checkBox(page, "cb_AutoAsWeek", caption(plan_, kForm, "cb_AutoAsWeek", "Tydzień"));
    const QString from = caption(plan_, kForm, "l_StartFrom", "zaczynając od:");
    grid->addWidget(without_, 0, 0);
    grid->addWidget(auto8_, 1, 0);
    grid->addWidget(pattern8_, 1, 1);
    grid->addWidget(new QLabel(from, page), 1, 2);
    grid->addWidget(start8_, 1, 3);
    grid->addWidget(const8_, 1, 4);
    grid->addWidget(scheme_, 2, 0);
    grid->addWidget(pattern_, 2, 1);
    grid->addWidget(new QLabel(from, page), 2, 2);
    grid->addWidget(start_, 2, 3);
    grid->addWidget(constS_, 2, 4);
    grid->addWidget(asWeek_, 2, 5);
    days_ = new QListWidget(page);
    days_->setObjectName("clb_AutomatDays");
    days_->setFlow(QListView::LeftToRight);
    days_->setMaximumHeight(40);
    const char* dayNames[] = {"po", "wt", "śr", "cz", "pi", "so", "n"};
    for (int d = 0; d < 7; ++d) {
        auto* item = new QListWidgetItem(
            caption(plan_, kForm, ("clb_AutomatDays" + std::to_string(d)).c_str(), dayNames[d]), days_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    grid->addWidget(new QLabel(caption(plan_, kForm, "l_AutomatDays", "w dniach: "), page), 3, 0);
    grid->addWidget(days_, 3, 1, 1, 5);
    fromHourBox_ =
        checkBox(page, "cb_AutomatFromHour", caption(plan_, kForm, "cb_AutomatFromHour", "od godziny:"));
    fromHour_ = timeField(plan_, page, "me_AutomatFromHour", 23);
    grid->addWidget(fromHourBox_, 4, 0);
    grid->addWidget(fromHour_, 4, 1);
    auto slider = [&](const char* name) {
        auto* s = new QSlider(Qt::Horizontal, page);
        s->setObjectName(name);
        s->setRange(1, 5);
        return s;
    };
    dayNight_ = slider("tb_PrefsDaysNights");
    normalHoliday_ = slider("tb_PrefsNormalHoliday");
    grid->addWidget(new QLabel(caption(plan_, kForm, "l_Prefs", "Preferencje: "), page), 5, 0);
    grid->addWidget(new QLabel(caption(plan_, kForm, "l_Days", "Dnie"), page), 6, 0);
    grid->addWidget(dayNight_, 6, 1, 1, 3);
    grid->addWidget(new QLabel(caption(plan_, kForm, "l_Nights", "Noce"), page), 6, 4);
    grid->addWidget(new QLabel(caption(plan_, kForm, "l_Normal", "Zwykłe"), page), 7, 0);
    grid->addWidget(normalHoliday_, 7, 1, 1, 3);
    grid->addWidget(new QLabel(caption(plan_, kForm, "l_Holiday", "Święta"), page), 7, 4);
    connect(pattern_, &QLineEdit::textChanged, this, [this](const QString& t) {
        start_->setRange(1, worker_dialog_model::startMax(ss(t)));
        if (t.isEmpty()) start_->setValue(1);
    });
    connect(pattern8_, &QLineEdit::textChanged, this, [this](const QString& t) {
        start8_->setRange(1, worker_dialog_model::startMax8(ss(t)));
        if (t.size() < 2) start8_->setValue(1);
    });
    connect(fromHourBox_, &QCheckBox::toggled, this, &WorkerDialog::refreshEnabled);
    return page;
}

void WorkerDialog::fillList(QComboBox* box, const std::vector<std::string>& items,
                            const std::string& current) {
    box->blockSignals(true);
    box->clear();
    for (const std::string& s : items) box->addItem(qs(s));
    box->setEditText(qs(current));
    box->blockSignals(false);
}

void WorkerDialog::listChosen(QComboBox* box, int list) {
    if (box->currentIndex() != box->count() - 1) return;
    const std::string kept = list == 0 ? model_.f.occupation : model_.f.education;
    if (onCustomizeList) onCustomizeList(list);
    fillList(box,
             list == 0 ? worker_dialog_model::occupations(plan_) : worker_dialog_model::educations(plan_),
             kept);
}

void WorkerDialog::fillControls() {
    const worker_form& f = model_.f;
    surname_->setText(qs(f.surname));
    name_->setText(qs(f.firstName));
    nick_->setText(qs(f.nick));
    colour_->setColour(f.color);
    fillList(occupation_, worker_dialog_model::occupations(plan_), f.occupation);
    id_->setText(qs(model_.idText(plan_)));
    old_->setChecked(f.old);
    groups_->clear();
    const auto names = model_.groupNames(plan_);
    for (size_t i = 0; i < names.size(); ++i) {
        auto* item = new QListWidgetItem(qs(names[i]), groups_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(i < f.groupChecks.size() && f.groupChecks[i] ? Qt::Checked : Qt::Unchecked);
    }
    address_->setText(qs(f.address));
    postOffice_->setText(qs(f.postOffice));
    zip_->setText(qs(f.zipCode));
    phone_->setText(qs(f.phone));
    email_->setText(qs(f.email));
    pesel_->setText(qs(f.pesel));
    fillList(education_, worker_dialog_model::educations(plan_), f.education);
    courses_->setText(qs(f.courses));
    user1_->setText(qs(f.user1));
    user2_->setText(qs(f.user2));
    user3_->setText(qs(f.user3));
    employment_->clear();
    for (const std::string& s : worker_dialog_model::employmentForms(plan_)) employment_->addItem(qs(s));
    employment_->setCurrentIndex(f.employmentFrom);
    currentYear_->setText(qs(f.currentYearHoliday));
    lastYear_->setText(qs(f.lastYearHoliday));
    careMode_->setCurrentIndex(f.careDaysMode);
    careDays_->setValue(f.careDays);
    careHours_->setText(qs(f.careHours));
    rehaDays_->setValue(f.rehaDays);
    partTime_->setText(qs(f.partTime));
    ownNormBox_->setChecked(f.ownNorm);
    ownNormCalc_->setChecked(f.ownNormCalculated);
    ownNorm_->setText(qs(f.ownNormText));
    defaultPartTime_->setText(qs(model_.defaultPartTimeLabel()));
    defaultNorm_->setText(qs(model_.defaultNormLabel()));
    lastMonthAuto_->setText(qs(min2h(f.overtimeFromPrevious)));
    lastMonth_->setText(qs(f.lastMonthHours));
    (f.mode == auto_mode::Pattern ? scheme_
     : f.mode == auto_mode::Eight ? auto8_
                                  : without_)
        ->setChecked(true);
    pattern8_->setText(qs(f.pattern8));
    start8_->setValue(f.startFrom8);
    const8_->setChecked(f.auto8ConstStart);
    pattern_->setText(qs(f.pattern));
    start_->setValue(f.startFrom);
    constS_->setChecked(f.autoConstStart);
    asWeek_->setChecked(f.asWeek);
    for (int d = 0; d < 7; ++d) days_->item(d)->setCheckState(f.automatDays[d] ? Qt::Checked : Qt::Unchecked);
    fromHourBox_->setChecked(f.automatFromHourOn);
    fromHour_->setText(qs(f.automatFromHour));
    dayNight_->setValue(f.prefDayNight);
    normalHoliday_->setValue(f.prefNormalHoliday);
    dayNight_->setEnabled(worker_dialog_model::dayNightEnabled(plan_));
    pages_->setCurrentIndex(0);
    refreshEnabled();
}

void WorkerDialog::refreshEnabled() {
    ownNorm_->setEnabled(ownNormBox_->isChecked());
    ownNormCalc_->setEnabled(ownNormBox_->isChecked());
    fromHour_->setEnabled(fromHourBox_->isChecked());
    careDays_->setVisible(careMode_->currentIndex() == 0);
    careHours_->setVisible(careMode_->currentIndex() == 1);
}

void WorkerDialog::readControls() {
    worker_form& f = model_.f;
    f.surname = ss(surname_->text());
    f.firstName = ss(name_->text());
    f.nick = ss(nick_->text());
    f.color = colour_->value();
    f.occupation = ss(occupation_->currentText());
    f.old = old_->isChecked();
    for (int i = 0; i < groups_->count() && i < int(f.groupChecks.size()); ++i)
        f.groupChecks[i] = groups_->item(i)->checkState() == Qt::Checked;
    f.address = ss(address_->text());
    f.postOffice = ss(postOffice_->text());
    f.zipCode = ss(zip_->text());
    f.phone = ss(phone_->text());
    f.email = ss(email_->text());
    f.pesel = ss(pesel_->text());
    f.education = ss(education_->currentText());
    f.courses = ss(courses_->text());
    f.user1 = ss(user1_->text());
    f.user2 = ss(user2_->text());
    f.user3 = ss(user3_->text());
    f.employmentFrom = std::max(0, employment_->currentIndex());
    f.currentYearHoliday = ss(currentYear_->text());
    f.lastYearHoliday = ss(lastYear_->text());
    f.careDaysMode = careMode_->currentIndex();
    f.careDays = careDays_->value();
    f.careHours = ss(careHours_->text());
    f.rehaDays = rehaDays_->value();
    f.partTime = ss(partTime_->text());
    f.ownNorm = ownNormBox_->isChecked();
    f.ownNormCalculated = ownNormCalc_->isChecked();
    f.ownNormText = ss(ownNorm_->text());
    f.lastMonthHours = ss(lastMonth_->text());
    f.mode = scheme_->isChecked()  ? auto_mode::Pattern
             : auto8_->isChecked() ? auto_mode::Eight
                                   : auto_mode::Without;
    f.pattern8 = ss(pattern8_->text());
    f.startFrom8 = start8_->value();
    f.auto8ConstStart = const8_->isChecked();
    f.pattern = ss(pattern_->text());
    f.startFrom = start_->value();
    f.autoConstStart = constS_->isChecked();
    f.asWeek = asWeek_->isChecked();
    for (int d = 0; d < 7; ++d) f.automatDays[d] = days_->item(d)->checkState() == Qt::Checked;
    f.automatFromHourOn = fromHourBox_->isChecked();
    f.automatFromHour = ss(fromHour_->text());
    f.prefDayNight = dayNight_->value();
    f.prefNormalHoliday = normalHoliday_->value();
}

void WorkerDialog::accept() {
    readControls();
    const planek::result<prac> record = model_.record(plan_);
    if (!record) {
        tell_user(doc_.interaction(), record);
        return;
    }
    const std::string oldNick = model_.adding() ? std::string() : plan_.workers[size_t(model_.editIndex)].nick;
    const planek::result<int> stored = save_worker(doc_, *record, model_.editIndex);
    tell_user(doc_.interaction(), stored);
    if (!stored) return;
    model_.storedIndex = *stored;
    model_.nickChanged = !model_.adding() && oldNick != record->nick;
    QDialog::accept();
}

}  // namespace planek::ui
