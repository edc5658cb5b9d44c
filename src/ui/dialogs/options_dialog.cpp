#include "ui/dialogs/options_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "calendar/norm.h"
#include "calendar/refresh_hooks.h"
#include "calendar/time_text.h"
#include "core/cp1250.h"
#include "core/text.h"
#include "editing/colour_names.h"
#include "editing/message_text.h"
#include "editing/typed_time.h"
#include "settings/language.h"
#include "settings/net_settings.h"
#include "settings/options_file.h"
#include "settings/user_settings.h"
#include "document/option_acts.h"
#include "editing/refusal.h"
#include "ui/dialogs/dialog_util.h"
#include "ui/dialogs/options_bindings.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {

constexpr const char* kForm = "f_Options";
const QColor kLocked(240, 240, 240);

QTableWidget* grid(QWidget* parent, const char* name, const Plan& plan,
                   std::initializer_list<const char*> heads) {
    auto* t = new QTableWidget(0, int(heads.size()), parent);
    t->setObjectName(name);
    QStringList labels;
    int i = 0;
    for (const char* h : heads)
        labels << caption(plan, kForm, (std::string(name) + std::to_string(i++)).c_str(), h);
    t->setHorizontalHeaderLabels(labels);
    t->verticalHeader()->hide();
    return t;
}

QTableWidgetItem* cell(const std::string& text, bool editable = true) {
    auto* item = new QTableWidgetItem(qs(text));
    if (!editable) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// A colour cell: the swatch as its background, the colour's name in the
// chosen language as its text, the stored form kept aside for reading back.
void showColour(QTableWidgetItem* item, colour c, const Plan& plan) {
    const QColor q = qcolour(c);
    item->setBackground(q);
    item->setForeground(q.lightness() < 128 ? Qt::white : Qt::black);
    item->setText(qs(colour_caption(plan, colour_text(c))));
    item->setData(Qt::UserRole, qs(colour_text(c)));
}

std::optional<colour> storedColour(const QTableWidgetItem* item) {
    if (!item) return std::nullopt;
    return parse_colour(ss(item->data(Qt::UserRole).toString()));
}

std::string cellText(const QTableWidget* t, int r, int c) {
    return t->item(r, c) ? ss(t->item(r, c)->text()) : std::string();
}

// A list memo: one entry a line, stored joined by "¤" with a closing "¤".
std::string list_value(const QString& text) {
    std::string out;
    for (const QString& line : text.split('\n')) {
        const std::string s = trim(ss(line));
        if (!s.empty()) out += s + std::string(kSep);
    }
    return out;
}

QString list_text(const std::string& value) {
    QStringList lines;
    for (const std::string& s : split_fields(value))
        if (!trim(s).empty()) lines << qs(s);
    return lines.join('\n');
}

}  // namespace

OptionsDialog::OptionsDialog(roster_document& doc, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      plan_(doc.plan()),
      edited_(plan_.options),
      dutyAsEdited_(plan_.dutyAs),
      symbolsEdited_(plan_.dutySymbols),
      bindings_(std::make_unique<option_bindings>(plan_)) {
    const Plan& plan = plan_;
    setObjectName(kForm);
    setFittingTitle(this, caption(plan, kForm, kForm, "Konfiguracja"));
    // A language taken from the locale or given for this run only is still
    // the one the window speaks: the list shows it rather than nothing.
    if (edited_.glowne.lang < 0) edited_.glowne.lang = language_index(plan.options.language);
    // The ticks are the ones in force for the shown month; accepting them
    // sets both the month and the configuration.
    for (int r = 0; r < int(edited_.dayOffKinds.size()); ++r) {
        day_off_kind& k = edited_.dayOffKinds[r];
        if (k.settable && counts_toward_norm(plan, r) != k.countsTowardNorm())
            k.normatyw = counts_toward_norm(plan, r) ? kNormatywOn : kNormatywOff;
    }
    pages_ = new QTabWidget(this);
    pages_->addTab(buildGeneral(), caption(plan, kForm, "ts_General", "Ogólne"));
    pages_->addTab(buildUser(), caption(plan, kForm, "ts_User", "Użytkownik"));
    pages_->addTab(buildSymbols(), caption(plan, kForm, "ts_Symbols", "Symbole"));
    pages_->addTab(buildOvertime(), caption(plan, kForm, "ts_Overtime", "Nadgodziny i noce"));
    pages_->addTab(buildDaysOff(), caption(plan, kForm, "ts_DayOff", "Wolne"));
    pages_->addTab(buildDutyAs(), caption(plan, kForm, "ts_DutyAs", "Formy zatrudnienia"));
    pages_->addTab(buildLists(), caption(plan, kForm, "ts_Lists", "Listy"));
    pages_->addTab(buildWarnings(), caption(plan, kForm, "ts_Warnings", "Ostrzeżenia"));
    networkPage_ = pages_->addTab(buildNetwork(), caption(plan, kForm, "ts_Network", "Sieć"));
    pages_->setTabVisible(networkPage_, plan.options.networkPageVisible);

    auto* box = new QDialogButtonBox(this);
    QPushButton* saveButton =
        box->addButton(caption(plan, kForm, "sb_Save", "Zapisz"), QDialogButtonBox::ApplyRole);
    saveButton->setObjectName("sb_Save");
    QPushButton* ok = box->addButton(caption(plan, kForm, "sb_Ok", "OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("sb_Ok");
    ok->setDefault(true);
    QPushButton* cancel =
        box->addButton(caption(plan, kForm, "sb_Cancel", "Anuluj"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("sb_Cancel");
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(box);
    askPassword = [this]() -> std::optional<std::string> {
        bool ok1 = false, ok2 = false;
        const QString title = caption(plan_, kForm, "l_ChangePassword", "Zmień");
        const QString a =
            QInputDialog::getText(this, title, caption(plan_, kForm, "l_NewPassword", "Nowe hasło:"),
                                  QLineEdit::Password, QString(), &ok1);
        if (!ok1) return std::nullopt;
        const QString b =
            QInputDialog::getText(this, title, caption(plan_, kForm, "l_RepeatPassword", "Powtórz hasło:"),
                                  QLineEdit::Password, QString(), &ok2);
        if (!ok2) return std::nullopt;
        if (a != b) {
            doc_.interaction().warn(
                message(plan_, "msg_PasswordsDiffer", "Podane hasła różnią się. Hasło nie zostało zmienione."));
            return std::nullopt;
        }
        return ss(a);
    };
    fill();
}

OptionsDialog::~OptionsDialog() = default;

QWidget* OptionsDialog::buildGeneral() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    option_bindings& b = *bindings_;
    glowne_options& g = edited_.glowne;
    b.spin(form, "se_AutoArchiving", "Automatyczna archiwizacja danych co... [dni]", 0, 3650,
           g.autoarchiving);
    b.spin(form, "se_AutoSave", "Automatyczny zapis otwartego pliku co... [min.]", 1, 999, g.autosave);
    b.check(form, "cb_AutoBackup", "Twórz kopię zapasową otwieranego pliku", g.autobackup);
    b.spin(form, "se_AutomatSeconds", "Najdłuższy czas pracy algorytmu 2 [s]", 1, 3600, g.automatSeconds);
    b.check(form, "cb_DeletePrintoutsFilesAfterClose", "Usuwaj wydruki po zamknięciu programu",
            g.DeletePrintoutsFilesAfterClose);
    b.choice(form, "cb_CalendarDisplay", "Kalendarz pokazuje: ",
             {{"cb_CalendarDisplay0", "numer zmiany"},
              {"cb_CalendarDisplay1", "numer dnia"},
              {"cb_CalendarDisplay2", "ilość dyżurów"}},
             g.CalendarDisplay);
    std::vector<std::pair<std::string, std::string>> languages;
    for (const std::string& l : language_list()) languages.push_back({"", l});
    b.choice(form, "cb_Language", "Język: ", languages, g.lang);
    return page;
}

QWidget* OptionsDialog::buildUser() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    option_bindings& b = *bindings_;
    glowne_options& g = edited_.glowne;
    b.text(form, "m_Company", "Nazwa firmy: ", g.firma);
    b.text(form, "e_Address", "Adres: ", g.adres);
    b.text(form, "e_ZipCode", "Kod: ", g.kod);
    b.text(form, "e_Place", "Miejscowość: ", g.miejscowosc);
    b.text(form, "e_Vat_No", "NIP: ", g.vat_no);
    b.text(form, "e_UserName", "Użytkownik: ", edited_.user.user_name);
    auto* change = new QPushButton(caption(plan_, kForm, "l_ChangePassword", "Zmień"), page);
    change->setObjectName("l_ChangePassword");
    change->setFlat(true);
    change->setStyleSheet("QPushButton { color: blue; text-decoration: underline; }");
    form->addRow(caption(plan_, kForm, "l_Password", "Hasło przy starcie programu: "), change);
    connect(change, &QPushButton::clicked, this, &OptionsDialog::changePassword);
    return page;
}

QWidget* OptionsDialog::buildSymbols() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    option_bindings& b = *bindings_;
    glowne_options& g = edited_.glowne;
    b.text(form, "e_Symb_8", "Dyżur \"8\": ", g.symbol_8, 2);
    b.text(form, "e_Symb_D", "Dopracowanie: ", g.symbol_d, 2);
    b.text(form, "e_SymbOther", "Dyżur inny: ", g.symbol_other, 2);
    b.text(form, "e_SymbMedicalDuty", "Dyżur medyczny: ", g.symbol_medical_duty, 2);
    b.text(form, "e_SymbDutyAsOvertime", "Dyżur jako nadgodziny: ", g.symbol_duty_as_overtime, 2);
    b.spin(form, "se_SymbolWidth", "Szerokość symbolu: ", 16, 160, g.symbol_width);
    b.spin(form, "se_SymbolHeight", "Wysokość symbolu: ", 16, 160, g.symbol_height);
    b.spin(form, "se_SymbolFontHeight", "Wielkość czcionki symboli: ", 6, 30, g.symbol_font_height);
    layout->addLayout(form);
    layout->addWidget(
        new QLabel(caption(plan_, kForm, "l_UserDutiesSymbols", "Symbole dyżurów użytkownika:"), page));
    symbols_ = grid(page, "sag_UserDutiesSymbols", plan_,
                    {"Lp.", "Początek [h]", "Czas trwania [h]", "Nadg. [h]", "Symbol"});
    layout->addWidget(symbols_);
    auto* row = new QHBoxLayout;
    auto* add = new QPushButton(caption(plan_, kForm, "b_SymbolAdd", "Dodaj"), page);
    add->setObjectName("b_SymbolAdd");
    auto* del = new QPushButton(caption(plan_, kForm, "b_SymbolDelete", "Usuń"), page);
    del->setObjectName("b_SymbolDelete");
    row->addWidget(add);
    row->addWidget(del);
    row->addStretch();
    layout->addLayout(row);
    connect(add, &QPushButton::clicked, this, [this] {
        const int r = symbols_->rowCount();
        symbols_->insertRow(r);
        symbols_->setItem(r, 0, cell(std::to_string(r + 1), false));
        for (int c = 1; c < 4; ++c) symbols_->setItem(r, c, cell("-"));
        symbols_->setItem(r, 4, cell(""));
    });
    connect(del, &QPushButton::clicked, this, [this] {
        if (symbols_->currentRow() < 0) return;
        symbols_->removeRow(symbols_->currentRow());
        for (int r = 0; r < symbols_->rowCount(); ++r) symbols_->item(r, 0)->setText(QString::number(r + 1));
    });
    // A time cell is shown again as h:mm after an edit; "-" means any.
    connect(symbols_, &QTableWidget::cellChanged, this, [this](int r, int c) {
        if (c < 1 || c > 3) return;
        const auto m = symbol_cell_minutes(cellText(symbols_, r, c));
        if (m && *m >= 0) {
            const QString shown = qs(clock_time(*m));
            if (symbols_->item(r, c)->text() != shown) symbols_->item(r, c)->setText(shown);
        }
    });
    return page;
}

QWidget* OptionsDialog::buildOvertime() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    option_bindings& b = *bindings_;
    wydruki_options& w = edited_.wydruki;
    form->addRow(new QLabel(caption(plan_, kForm, "l_Overtime100", "Nadgodziny liczone jako 100%:"), page));
    b.time(form, "me_OvertimeLargerThan", "gdy jest ich więcej niż: ", w.ng_powyzej, 24);
    b.time(form, "me_OvertimeFrom", "lub przypadają od godziny: ", w.ng_od, 23);
    b.time(form, "me_OvertimeTo", "do godziny: ", w.ng_do, 23);
    b.check(form, "cb_OvertimeInHoliday", "lub przypadają w niedzielę lub święto", w.ng_swieto);
    b.check(form, "cb_OvertimeInDayOffForHolidayWork", "lub w dniu wolnym za pracę w niedzielę lub święto",
            w.ng_wolne_za_swieto);
    b.check(form, "cb_OnlyOvertime", "lub gdy dyżur trwa 0:00", w.ng_dyzur0);
    form->addRow(new QLabel(caption(plan_, kForm, "l_Night", "Pora nocna:"), page));
    b.time(form, "me_NightFrom", "Początek: ", w.noc_od, 23);
    b.time(form, "me_NightTo", "Czas trwania: ", w.noc_do, 24);
    b.time(form, "me_NaturalDayBegin", "Doba pracownicza zaczyna się o: ", w.doba_od, 23);
    return page;
}

QWidget* OptionsDialog::buildDaysOff() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    dayOff_ = grid(page, "sag_DayOff", plan_, {"Nazwa", "Nazwa własna", "Symbol", "Normatyw"});
    dayOff_->setColumnWidth(0, 200);
    dayOff_->setColumnWidth(1, 200);
    layout->addWidget(dayOff_);
    connect(dayOff_, &QTableWidget::cellDoubleClicked, this, [this](int r, int c) {
        if (c != 3 || r < 0 || r >= int(edited_.dayOffKinds.size()) || !edited_.dayOffKinds[r].settable)
            return;
        QTableWidgetItem* it = dayOff_->item(r, 3);
        it->setCheckState(it->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    });
    return page;
}

QWidget* OptionsDialog::buildDutyAs() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    dutyAs_ = grid(page, "sag_DutyAs", plan_, {"Lp.", "Nazwa", "Symbol", "Kolor"});
    layout->addWidget(dutyAs_);
    connect(dutyAs_, &QTableWidget::cellDoubleClicked, this, [this](int r, int c) {
        if (c != 3) return;
        const QColor chosen =
            QColorDialog::getColor(qcolour(storedColour(dutyAs_->item(r, 3)).value_or(0xFFFFFF)), this);
        if (!chosen.isValid()) return;
        showColour(dutyAs_->item(r, 3), fromQColor(chosen), plan_);
    });
    return page;
}

QWidget* OptionsDialog::buildLists() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    occupations_ = new QPlainTextEdit(page);
    occupations_->setObjectName("m_Occupations");
    educations_ = new QPlainTextEdit(page);
    educations_->setObjectName("m_Educations");
    form->addRow(caption(plan_, kForm, "l_Occupations", "Stanowiska: "), occupations_);
    form->addRow(caption(plan_, kForm, "l_Educations", "Wykształcenia: "), educations_);
    return page;
}

QWidget* OptionsDialog::buildWarnings() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    option_bindings& b = *bindings_;
    warnings_options& w = edited_.warnings;
    b.check(form, "cb_2Nigths", "[b] dyżury nocne w dwa kolejne dni", w.Nights2);
    b.checkTime(form, "DutyNexttoDuty", "[a] przerwa między dyżurami krótsza niż: ", w.DutyNexttoDuty,
                w.vDutyNexttoDuty);
    b.checkTime(form, "DutyTooLong", "[e] dyżur dłuższy niż: ", w.DutyTooLong, w.vDutyTooLong);
    b.checkTime(form, "DutyTooShort", "[d] dyżur krótszy niż: ", w.DutyTooShort, w.vDutyTooShort);
    b.checkTime(form, "NormativeExceeded", "[f] normatyw przekroczony o więcej niż: ", w.NormativeExceeded,
                w.vNormativeExceeded);
    b.checkTime(form, "LacksDuties", "[g] normatyw niewypracowany o więcej niż: ", w.LacksDuties,
                w.vLacksDuties);
    b.checkTime(form, "WeekIntervalTooShort",
                "[h] najdłuższa przerwa tygodniowa krótsza niż: ", w.WeekIntervalTooShort,
                w.vWeekIntervalTooShort);
    b.checkSpin(form, "WorkSundaysMaxCount",
                "[i] więcej kolejnych niedziel z dyżurem niż: ", w.WorkSundaysMaxCount,
                w.vWorkSundaysMaxCount, 1, 10);
    b.checkSpin(form, "StaffLess", "[c] mniej osób na zmianie niż zaplanowano o: ", w.StaffLess, w.vStaffLess,
                1, 20);
    b.checkSpin(form, "StaffBigger", "[c] więcej osób na zmianie niż zaplanowano o: ", w.StaffBigger,
                w.vStaffBigger, 1, 20);
    b.checkSpin(form, "StaffLessPercent",
                "[j] obsada niższa od planowanej o więcej niż [%]: ", w.StaffLessPercent, w.vStaffLessPercent,
                1, 100);
    b.checkSpin(form, "StaffBiggerPercent",
                "[j] obsada wyższa od planowanej o więcej niż [%]: ", w.StaffBiggerPercent,
                w.vStaffBiggerPercent, 100, 500);
    b.check(form, "cb_DiscontinuosStaff", "[k] obsada nieciągła", w.DiscontinuosStaff);
    b.checkSpin(form, "WeekWorkTime",
                "[l] tygodniowy czas pracy różny od 40 godzin o więcej niż [%]: ", w.WeekWorkTime,
                w.vWeekWorkTime, 1, 100);
    return page;
}

QWidget* OptionsDialog::buildNetwork() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    option_bindings& b = *bindings_;
    net_options& n = edited_.net;
    QLineEdit* path = b.text(form, "e_ServerPath", "Folder serwera: ", n.ServerPath);
    auto* browse = new QPushButton("...", page);
    browse->setObjectName("b_ServerPath");
    form->addRow(QString(), browse);
    connect(browse, &QPushButton::clicked, this, [this, path] {
        const QString dir = QFileDialog::getExistingDirectory(this, QString(), path->text());
        if (!dir.isEmpty()) path->setText(dir);
    });
    b.check(form, "cb_Template", "Szablony z serwera", n.Template);
    b.check(form, "cb_Printout", "Wydruki do folderu serwera", n.Printout);
    b.check(form, "cb_PrintoutOnlyAccepted", "Tylko wydruki zatwierdzonych planów", n.PrintoutOnlyAccepted);
    b.check(form, "cb_Config", "Konfiguracja z serwera", n.Config);
    // Only printouts that go to the server can be limited to approved plans.
    auto* printout = page->findChild<QCheckBox*>("cb_Printout");
    auto* onlyAccepted = page->findChild<QCheckBox*>("cb_PrintoutOnlyAccepted");
    onlyAccepted->setEnabled(printout->isChecked());
    connect(printout, &QCheckBox::toggled, onlyAccepted, &QWidget::setEnabled);
    return page;
}

void OptionsDialog::fill() {
    bindings_->fill();
    symbols_->blockSignals(true);
    symbols_->setRowCount(int(symbolsEdited_.size()));
    for (int r = 0; r < int(symbolsEdited_.size()); ++r) {
        const dyz_symb_& s = symbolsEdited_[r];
        symbols_->setItem(r, 0, cell(std::to_string(r + 1), false));
        symbols_->setItem(r, 1, cell(symbol_cell_text(s.start)));
        symbols_->setItem(r, 2, cell(symbol_cell_text(s.length)));
        symbols_->setItem(r, 3, cell(symbol_cell_text(s.overtime)));
        symbols_->setItem(r, 4, cell(s.symbol));
    }
    symbols_->blockSignals(false);
    dayOff_->setRowCount(int(edited_.dayOffKinds.size()));
    for (int r = 0; r < int(edited_.dayOffKinds.size()); ++r) {
        const day_off_kind& k = edited_.dayOffKinds[r];
        dayOff_->setItem(r, 0, cell(k.name, false));
        dayOff_->setItem(r, 1, cell(k.ownName));
        dayOff_->setItem(r, 2, cell(k.symbol));
        // The stored glyph belongs to a symbol font: a check box says it.
        QTableWidgetItem* glyph = cell("", false);
        if (k.settable) {
            glyph->setFlags(glyph->flags() | Qt::ItemIsUserCheckable);
            glyph->setCheckState(k.countsTowardNorm() ? Qt::Checked : Qt::Unchecked);
        } else {
            glyph->setFlags(glyph->flags() & ~Qt::ItemIsUserCheckable);
            glyph->setBackground(kLocked);
        }
        dayOff_->setItem(r, 3, glyph);
    }
    dutyAs_->setRowCount(int(dutyAsEdited_.size()));
    for (int r = 0; r < int(dutyAsEdited_.size()); ++r) {
        const dutyas_& d = dutyAsEdited_[r];
        dutyAs_->setItem(r, 0, cell(std::to_string(r + 1), false));
        dutyAs_->setItem(r, 1, cell(d.name));
        dutyAs_->setItem(r, 2, cell(d.symbol ? std::string(1, d.symbol) : std::string()));
        QTableWidgetItem* c = cell("", false);
        showColour(c, d.color, plan_);
        dutyAs_->setItem(r, 3, c);
    }
    occupations_->setPlainText(list_text(edited_.autofilling.Occupations));
    educations_->setPlainText(list_text(edited_.autofilling.Educations));
}

bool OptionsDialog::read() {
    std::string bad = bindings_->read();
    std::vector<typed_field> texts;
    for (int r = 0; r < dayOff_->rowCount(); ++r) {
        texts.push_back({edited_.dayOffKinds[r].name, cellText(dayOff_, r, 1)});
        texts.push_back({edited_.dayOffKinds[r].name, cellText(dayOff_, r, 2)});
    }
    for (int r = 0; r < dutyAs_->rowCount(); ++r) {
        texts.push_back({ss(caption(plan_, kForm, "sag_DutyAs1", "Nazwa")), cellText(dutyAs_, r, 1)});
        texts.push_back({ss(caption(plan_, kForm, "sag_DutyAs2", "Symbol")), cellText(dutyAs_, r, 2)});
    }
    for (int r = 0; r < symbols_->rowCount(); ++r)
        texts.push_back(
            {ss(caption(plan_, kForm, "sag_UserDutiesSymbols4", "Symbol")), cellText(symbols_, r, 4)});
    texts.push_back(
        {ss(caption(plan_, kForm, "l_Occupations", "Stanowiska: ")), ss(occupations_->toPlainText())});
    texts.push_back(
        {ss(caption(plan_, kForm, "l_Educations", "Wykształcenia: ")), ss(educations_->toPlainText())});
    if (bad.empty()) bad = unencodable_message(plan_, texts);
    std::vector<dyz_symb_> symbols;
    for (int r = 0; bad.empty() && r < symbols_->rowCount(); ++r) {
        dyz_symb_ s;
        std::int16_t* fields[] = {&s.start, &s.length, &s.overtime};
        for (int c = 1; c <= 3 && bad.empty(); ++c) {
            const auto m = symbol_cell_minutes(cellText(symbols_, r, c));
            if (!m)
                bad = message(
                    plan_, "msg_BadTime",
                    "\"%s\" nie jest poprawnym czasem (pole: %s).%sWpisz czas jako np. 7:35, 7.35 lub 735.",
                    {cellText(symbols_, r, c), ss(symbols_->horizontalHeaderItem(c)->text()), kLineBreak});
            else
                *fields[c - 1] = std::int16_t(*m);
        }
        s.symbol = utf8_left(cellText(symbols_, r, 4), 2);
        symbols.push_back(s);
    }
    if (!bad.empty()) {
        doc_.interaction().warn(bad);
        return false;
    }
    symbolsEdited_ = symbols;
    for (int r = 0; r < dayOff_->rowCount(); ++r) {
        day_off_kind& k = edited_.dayOffKinds[r];
        k.ownName = cellText(dayOff_, r, 1);
        k.symbol = cellText(dayOff_, r, 2);
        if (k.settable) k.normatyw = dayOff_->item(r, 3)->checkState() == Qt::Checked ? kNormatywOn : kNormatywOff;
    }
    for (int r = 0; r < dutyAs_->rowCount(); ++r) {
        dutyas_& d = dutyAsEdited_[r];
        d.name = cellText(dutyAs_, r, 1);
        const std::string sym = cellText(dutyAs_, r, 2);
        d.symbol = sym.empty() ? 0 : sym[0];
        d.color = storedColour(dutyAs_->item(r, 3)).value_or(d.color);
    }
    edited_.autofilling.Occupations = list_value(occupations_->toPlainText());
    edited_.autofilling.Educations = list_value(educations_->toPlainText());
    return true;
}

void OptionsDialog::apply() {
    tell_user(doc_.interaction(), apply_options(doc_, {edited_, dutyAsEdited_, symbolsEdited_}));
    edited_ = plan_.options;
    dutyAsEdited_ = plan_.dutyAs;
}

void OptionsDialog::accept() {
    // What OK sets is what the next start finds: a user who chose English or
    // the day numbers on the calendar expects them there tomorrow, not only
    // after "Zapisz". A plan without a program folder has nowhere to keep them.
    if (plan_.paths.data.empty()) {
        if (!read()) return;
        apply();
    } else if (!save()) {
        return;
    }
    QDialog::accept();
}

bool OptionsDialog::save() {
    if (!read()) return false;
    const planek::result<> saved = save_options(doc_, {edited_, dutyAsEdited_, symbolsEdited_});
    tell_user(doc_.interaction(), saved);
    edited_ = plan_.options;
    dutyAsEdited_ = plan_.dutyAs;
    return saved.ok();
}

void OptionsDialog::changePassword() {
    if (!askPassword) return;
    const auto typed = askPassword();
    if (!typed) return;
    if (auto bad = first_unencodable(*typed)) {
        doc_.interaction().warn(message(plan_, "msg_CharNotAllowed",
                                        "Znaku \"%s\" nie można zapisać w plikach programu (Windows-1250).", {*bad}));
        return;
    }
    tell_user(doc_.interaction(), set_start_password(doc_, *typed));
}

void OptionsDialog::showPage(Page page) {
    switch (page) {
        case Occupations:
            pages_->setCurrentIndex(Lists);
            occupations_->setFocus();
            break;
        case Educations:
            pages_->setCurrentIndex(Lists);
            educations_->setFocus();
            break;
        default:
            pages_->setCurrentIndex(page);
    }
}

}  // namespace planek::ui
