#include "ui/dialogs/group_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "core/text.h"
#include "editing/colour_names.h"
#include "document/option_acts.h"
#include "document/staff_acts.h"
#include "ui/dialogs/dialog_util.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {

constexpr const char* kForm = "f_GroupAdd";
enum Column { Number = 0, Start, Length, Symbol, Colour, Name, Staff, StaffHoliday, ColumnCount };

// Filters the keys typed into a cell by the column's rule.
class CellKeyFilter : public QObject {
public:
    CellKeyFilter(int column, QLineEdit* editor) : QObject(editor), column_(column), editor_(editor) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || !text[0].isPrint() || key->key() == Qt::Key_Backspace) return false;
        char c = text[0].unicode() < 128 ? char(text[0].unicode()) : 'x';
        const std::string cell = ss(editor_->selectedText().isEmpty() ? editor_->text() : QString());
        if (!group_dialog_model::keyAccepted(column_, cell, c)) return true;
        if (c != char(text[0].unicode()) && text[0].unicode() < 128) {
            editor_->insert(QString(QChar(c)));
            return true;
        }
        return false;
    }

private:
    int column_;
    QLineEdit* editor_;
};

bool is_time_column(int column) { return column == Start || column == Length; }

// Editors with the column's key filter; colour cells drawn as a swatch. A
// time that cannot be one turns its editor pink while typed and is refused
// when the cell is left: the cell keeps its time, and `refused` says why.
class ShiftDelegate : public QStyledItemDelegate {
public:
    ShiftDelegate(const Plan& plan, QObject* parent) : QStyledItemDelegate(parent), plan_(plan) {}
    std::function<void(const QString& why)> refused;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            e->installEventFilter(new CellKeyFilter(index.column(), e));
            if (index.column() == Symbol || index.column() == Name)
                e->setValidator(new Cp1250Validator(plan_, e));
            if (is_time_column(index.column())) {
                const int row = index.row(), column = index.column();
                connect(e, &QLineEdit::textChanged, e, [this, e, row, column](const QString& typed) {
                    const std::string why = group_dialog_model::cellProblem(plan_, row, column, ss(typed));
                    e->setStyleSheet(why.empty() ? QString() : QStringLiteral("QLineEdit { background: #ffd0d0; }"));
                    e->setToolTip(qs(why));
                });
            }
        }
        return w;
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* e = qobject_cast<QLineEdit*>(editor); e && is_time_column(index.column())) {
            const std::string why = group_dialog_model::cellProblem(plan_, index.row(), index.column(), ss(e->text()));
            if (refused) refused(qs(why));
            if (!why.empty()) return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (index.column() != Colour) return QStyledItemDelegate::paint(painter, option, index);
        // The stored name ("clWhite") is no text for a user: a swatch and
        // the colour's name in the chosen language.
        const QRect r = option.rect;
        const int dy = std::max(0, (r.height() - 12) / 2);
        const QRect swatch(r.left() + 3, r.top() + dy, 12, std::min(12, r.height()));
        const std::string stored = ss(index.data().toString());
        const auto c = parse_colour(stored);
        painter->save();
        painter->setPen(Qt::black);
        painter->setBrush(qcolour(c.value_or(0xFFFFFF)));
        painter->drawRect(swatch);
        painter->setPen(option.palette.color(QPalette::Text));
        painter->drawText(r.adjusted(swatch.width() + 7, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          qs(colour_caption(plan_, stored.empty() ? "clWhite" : stored)));
        painter->restore();
    }

private:
    const Plan& plan_;
};

}  // namespace

GroupDialog::GroupDialog(roster_document& doc, bool edit, QWidget* parent) : GroupDialog(doc, ownForm_, edit, parent) {}

GroupDialog::GroupDialog(roster_document& doc, group_dialog_model& form, bool edit, QWidget* parent)
    : QDialog(parent), doc_(doc), plan_(doc.plan()), model_(form) {
    const Plan& plan = plan_;
    setObjectName(kForm);
    setFittingTitle(this, caption(plan, kForm, kForm, "Dodaj/Edytuj grupę"));
    if (edit) {
        const planek::result<> opened = model_.openEdit(plan);
        tell_user(doc.interaction(), opened);
        edit = opened.ok();
    }
    if (!edit) model_.openAdd(plan, doc.random());
    model_.storedIndex = -1;
    model_.autoCalc = plan.options.glowne.AutoCalcShifts;
    pages_ = new QTabWidget(this);
    pages_->addTab(buildData(), caption(plan, kForm, "ts_Data", "&Dane"));
    pages_->addTab(buildShifts(), caption(plan, kForm, "ts_Shifts", "&Zmiany"));
    pages_->addTab(buildNorm(), caption(plan, kForm, "ts_Norma", "&Normatyw"));
    pages_->addTab(buildAutomat(), caption(plan, kForm, "ts_Automat", "&Automat"));
    auto* buttons = okCancel(plan, kForm, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(buttons);
    fillControls();
}

QWidget* GroupDialog::buildData() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    name_ = textField(plan_, page, "e_GroupName");
    nick_ = textField(plan_, page, "e_Nick", 3);
    colour_ = new ColourButton(caption(plan_, kForm, "p_ColorChoose", "Kliknij aby wybrać"), page);
    colour_->setObjectName("p_ColorChoose");
    id_ = new QLabel(page);
    id_->setObjectName("l_Id");
    form->addRow(caption(plan_, kForm, "l_GroupName", "Nazwa: "), name_);
    form->addRow(caption(plan_, kForm, "l_Nick", "Nazwa krótka (maks. 2 znaki): "), nick_);
    // The field takes a third character as the group file can hold one, but
    // OK stores two: the notice says so while it is there to be seen.
    nickNotice_ = new QLabel(page);
    nickNotice_->setObjectName("l_NickNotice");
    nickNotice_->setStyleSheet(QStringLiteral("QLabel { color: #b00000; }"));
    nickNotice_->setWordWrap(true);
    nickNotice_->hide();
    form->addRow(nickNotice_);
    connect(nick_, &QLineEdit::textChanged, this, [this](const QString& typed) {
        const std::string notice = group_dialog_model::nickNotice(plan_, ss(typed));
        nickNotice_->setText(qs(notice));
        nickNotice_->setVisible(!notice.empty());
    });
    form->addRow(caption(plan_, kForm, "l_Color", "Kolor: "), colour_);
    form->addRow(id_);
    return page;
}

QWidget* GroupDialog::buildShifts() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* bar = new QToolBar(page);
    auto tool = [&](const char* name, const char* text, const char* hint) {
        auto* b = new QToolButton(bar);
        b->setObjectName(name);
        b->setText(caption(plan_, kForm, name, text));
        b->setToolTip(caption(plan_, kForm, (std::string(name) + "_hint").c_str(), hint));
        bar->addWidget(b);
        return b;
    };
    connect(tool("tb_ShiftInsert", "Wstaw", "Wstaw zmianę przed zaznaczoną"), &QToolButton::clicked, this,
            &GroupDialog::insertShift);
    connect(tool("tb_ShiftAdd", "Dodaj", "Dodaj zmianę na końcu"), &QToolButton::clicked, this,
            &GroupDialog::appendShift);
    connect(tool("tb_ShiftDelete", "Usuń", "Usuń zaznaczoną zmianę"), &QToolButton::clicked, this,
            &GroupDialog::deleteShift);
    autoCalc_ = tool("tb_AutoCalc", "Auto", "Automatyczne wyliczanie godzin zmian");
    autoCalc_->setCheckable(true);
    connect(autoCalc_, &QToolButton::toggled, this, [this](bool on) {
        model_.autoCalc = on;
        [[maybe_unused]] const planek::result<> kept = set_auto_calc_shifts(doc_, on);
    });
    table_ = new QTableWidget(0, ColumnCount, page);
    table_->setObjectName("sag_Shifts");
    const char* heads[][3] = {
        {"sag_Shifts0", "Lp", "[-]"},           {"sag_Shifts1", "Początek", "[h]"},
        {"sag_Shifts2", "Czas trwania", "[h]"}, {"sag_Shifts3", "Symbol dyżuru", "[-]"},
        {"sag_Shifts4", "Kolor", "[-]"},        {"sag_Shifts5", "Nazwa", "[-]"},
        {"sag_Shifts6", "Obsada", nullptr},     {"sag_Shifts7", "Obsada św.", nullptr}};  // head counts
    QStringList labels;
    const QString count = caption(plan_, kForm, "sag_ShiftsUnit", "[szt.]");
    for (auto& h : heads) labels << caption(plan_, kForm, h[0], h[1]) + "\n" + (h[2] ? QString(h[2]) : count);
    table_->setHorizontalHeaderLabels(labels);
    table_->verticalHeader()->hide();
    // Each column as wide as its heading; the table as wide as its columns,
    // so that a row is seen whole without scrolling sideways.
    const int widths[] = {30, 100, 100, 100, 40, 102, 64, 64};
    const QFontMetrics heading(table_->horizontalHeader()->font());
    int total = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        int width = widths[c];
        for (const QString& line : labels[c].split('\n')) width = std::max(width, heading.horizontalAdvance(line) + 16);
        table_->setColumnWidth(c, width);
        total += width;
    }
    table_->setMinimumWidth(total + table_->verticalScrollBar()->sizeHint().width() + 2 * table_->frameWidth() + 2);
    auto* delegate = new ShiftDelegate(plan_, table_);
    table_->setItemDelegate(delegate);
    tableNotice_ = new QLabel(page);
    tableNotice_->setObjectName("l_ShiftNotice");
    tableNotice_->setStyleSheet(QStringLiteral("QLabel { color: #b00000; }"));
    tableNotice_->setWordWrap(true);
    tableNotice_->hide();
    delegate->refused = [this](const QString& why) {
        tableNotice_->setText(why);
        tableNotice_->setVisible(!why.isEmpty());
    };
    table_->installEventFilter(this);
    connect(table_, &QTableWidget::cellChanged, this, &GroupDialog::cellChanged);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        if (column == Colour) chooseCellColour(row);
    });
    layout->addWidget(bar);
    layout->addWidget(table_);
    layout->addWidget(tableNotice_);
    return page;
}

QWidget* GroupDialog::buildNorm() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    auto box = [&](const char* name, const char* text) {
        auto* b = new QCheckBox(caption(plan_, kForm, name, text), page);
        b->setObjectName(name);
        return b;
    };
    day8_ = timeField(plan_, page, "me_day8", 24);
    saturday_ = box("cb_SaturdayLikeHoliday", "Traktuj sobotę jako święto");
    dayOffSaturday_ =
        box("cb_DayOffForHolidayOnSaturday", "Dodatkowy dzień wolny za święto przypadające w sobotę");
    nightHoliday_ = box("cb_HoliHolidayNigths", "Noc w święto jak dyżur świąteczny");
    noHolidays_ = box("cb_WithoutHolidays", "Bez świąt");
    customNorm_ = box("cb_CustomNorma", "Normatyw własny: ");
    norm_ = timeField(plan_, page, "me_Norma", 999);
    auto* save = new QPushButton(caption(plan_, kForm, "b_SaveAsDefault", "Zapisz jako domyślne"), page);
    save->setObjectName("b_SaveAsDefault");
    form->addRow(caption(plan_, kForm, "l_Duty8Length", "Długość dyżuru 8-godzinnego: "), day8_);
    form->addRow(saturday_);
    form->addRow(dayOffSaturday_);
    form->addRow(nightHoliday_);
    form->addRow(noHolidays_);
    form->addRow(customNorm_, norm_);
    form->addRow(save);
    connect(customNorm_, &QCheckBox::toggled, norm_, &QWidget::setEnabled);
    connect(save, &QPushButton::clicked, this, [this] {
        readControls();
        tell_user(doc_.interaction(), save_group_defaults(doc_, model_.defaults()));
    });
    return page;
}

QWidget* GroupDialog::buildAutomat() {
    auto* page = new QWidget;
    auto* form = new QVBoxLayout(page);
    auto box = [&](const char* name, const char* text) {
        auto* b = new QCheckBox(caption(plan_, kForm, name, text), page);
        b->setObjectName(name);
        form->addWidget(b);
        return b;
    };
    resetBefore_ = box("cb_AlwaysResetBeforeStartAutomat", "Resetuj przed każdym użyciem automatu");
    residue_ = box("cb_NormaResidueDistribution", "Rozdzielaj dopracownia");
    dayOffDistribution_ =
        box("cb_DayOffForWorkOnHolidayDistribution", "Rozdzielaj dni wolne za pracę w niedziele i święta");
    auto radio = [&](const char* name, const char* text, const char* hint) {
        auto* r = new QRadioButton(caption(plan_, kForm, name, text), page);
        r->setObjectName(name);
        r->setToolTip(caption(plan_, kForm, (std::string(name) + "_hint").c_str(), hint));
        form->addWidget(r);
        return r;
    };
    algorithm1_ = radio("rg_Algorithms0", "Algorytm 1",
                        "Wzorce cykliczne przycięte do normatywu, luki uzupełniane przesunięciami: szybko i "
                        "przewidywalnie, ale zasady ostrzeżeń bywają łamane");
    algorithm2_ = radio("rg_Algorithms1", "Algorytm 2",
                        "Przeszukiwanie do kilku sekund: nie łamie zasad przerw, nocy, odpoczynku tygodniowego i "
                        "normatywu, a braki obsady i odchylenia od normatywu zmniejsza jak się da");
    auto* aimRow = new QHBoxLayout;
    auto* aimLabel = new QLabel(caption(plan_, kForm, "l_SearchAim", "Priorytet:"), page);
    aim_ = new QComboBox(page);
    aim_->setObjectName("cb_SearchAim");
    aim_->addItem(caption(plan_, kForm, "cb_SearchAim0", "reguły"));
    aim_->addItem(caption(plan_, kForm, "cb_SearchAim1", "normatyw"));
    aim_->setToolTip(caption(plan_, kForm, "cb_SearchAim_hint",
                             "Co algorytm 2 stawia wyżej: mniej uwag ostrzeżeń czy planowany czas bliżej normatywu "
                             "(braki obsady zawsze najpierw)"));
    aimLabel->setBuddy(aim_);
    aimRow->addWidget(aimLabel);
    aimRow->addWidget(aim_, 1);
    form->addLayout(aimRow);
    auto* reset =
        new QPushButton(caption(plan_, kForm, "b_AutoSystemReset", "Resetuj ustawienia początkowe"), page);
    reset->setObjectName("b_AutoSystemReset");
    form->addWidget(reset);
    form->addStretch();
    connect(reset, &QPushButton::clicked, this, [this] { tell_user(doc_.interaction(), reset_pattern_starts(doc_)); });
    return page;
}

void GroupDialog::fillControls() {
    filling_ = true;
    name_->setText(qs(model_.name));
    nick_->setText(qs(model_.nick));
    colour_->setColour(model_.color);
    id_->setText(qs(model_.idText(plan_)));
    autoCalc_->setChecked(model_.autoCalc);
    day8_->setText(qs(model_.day8));
    saturday_->setChecked(model_.saturdayHoliday);
    dayOffSaturday_->setChecked(model_.dayOffForSaturdayHoliday);
    nightHoliday_->setChecked(model_.nightOnHolidayAsHoliday);
    noHolidays_->setChecked(model_.noHolidays);
    customNorm_->setChecked(model_.customNorm);
    norm_->setText(qs(model_.normText));
    norm_->setEnabled(model_.customNorm);
    resetBefore_->setChecked(model_.resetBeforeAutomat);
    residue_->setChecked(model_.residueBox);
    dayOffDistribution_->setChecked(model_.dayOffForHolidayWork);
    (model_.algorithm == 1 ? algorithm2_ : algorithm1_)->setChecked(true);
    aim_->setCurrentIndex(model_.aim == 1 ? 1 : 0);
    filling_ = false;
    fillTable();
    pages_->setCurrentIndex(0);
}

// odswiez_tabele_zmiany
void GroupDialog::fillTable() {
    filling_ = true;
    table_->setRowCount(int(model_.rows.size()));
    for (int r = 0; r < int(model_.rows.size()); ++r) {
        const shift_row& s = model_.rows[r];
        const std::string cells[] = {std::to_string(r + 1),
                                     s.start,
                                     s.length,
                                     s.symbol,
                                     s.color.empty() ? "clWhite" : s.color,
                                     s.name,
                                     s.staff,
                                     s.staffS};
        for (int c = 0; c < ColumnCount; ++c) {
            // Items are kept: this runs inside the table's own change signal.
            if (QTableWidgetItem* item = table_->item(r, c)) {
                item->setText(qs(cells[c]));
                continue;
            }
            auto* item = new QTableWidgetItem(qs(cells[c]));
            if (c == Number || c == Colour) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            table_->setItem(r, c, item);
        }
    }
    filling_ = false;
}

void GroupDialog::readTable() {
    for (int r = 0; r < table_->rowCount() && r < int(model_.rows.size()); ++r) {
        auto cell = [&](int c) {
            return table_->item(r, c) ? ss(table_->item(r, c)->text()) : std::string();
        };
        model_.rows[r] = {cell(Start), cell(Length), cell(Symbol),      cell(Colour),
                          cell(Name),  cell(Staff),  cell(StaffHoliday)};
    }
}

void GroupDialog::cellChanged(int row, int column) {
    if (filling_) return;
    readTable();
    model_.cellEdited(row, column);
    fillTable();
}

void GroupDialog::chooseCellColour(int row) {
    if (row < 0 || row >= int(model_.rows.size())) return;
    readTable();
    const QColor chosen =
        QColorDialog::getColor(qcolour(parse_colour(model_.rows[row].color).value_or(0xFFFFFF)), this);
    if (!chosen.isValid()) return;
    model_.rows[row].color = colour_text(fromQColor(chosen));
    fillTable();
}

void GroupDialog::insertShift() {
    readTable();
    if (model_.insertBefore(std::max(0, table_->currentRow()))) fillTable();
}

void GroupDialog::appendShift() {
    readTable();
    if (model_.append()) fillTable();
}

void GroupDialog::deleteShift() {
    readTable();
    if (model_.deleteRow(plan_, table_->currentRow())) fillTable();
}

bool GroupDialog::eventFilter(QObject* watched, QEvent* event) {
    // While a cell is edited its keys go to the editor, not to the table.
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Down:
                if (table_->currentRow() != table_->rowCount() - 1) break;
                appendShift();
                return true;
            case Qt::Key_Insert:
                insertShift();
                return true;
            case Qt::Key_Delete:
                deleteShift();
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (table_->currentColumn() == Colour)
                    chooseCellColour(table_->currentRow());
                else if (table_->currentItem())
                    table_->editItem(table_->currentItem());
                return true;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void GroupDialog::readControls() {
    model_.name = ss(name_->text());
    model_.nick = ss(nick_->text());
    model_.color = colour_->value();
    model_.autoCalc = autoCalc_->isChecked();
    model_.day8 = ss(day8_->text());
    model_.saturdayHoliday = saturday_->isChecked();
    model_.dayOffForSaturdayHoliday = dayOffSaturday_->isChecked();
    model_.nightOnHolidayAsHoliday = nightHoliday_->isChecked();
    model_.noHolidays = noHolidays_->isChecked();
    model_.customNorm = customNorm_->isChecked();
    model_.normText = ss(norm_->text());
    model_.resetBeforeAutomat = resetBefore_->isChecked();
    model_.residueBox = residue_->isChecked();
    model_.dayOffForHolidayWork = dayOffDistribution_->isChecked();
    model_.algorithm = algorithm2_->isChecked() ? 1 : 0;
    model_.aim = aim_->currentIndex() == 1 ? 1 : 0;
    readTable();
}

void GroupDialog::accept() {
    readControls();
    const planek::result<grupa> record = model_.record(plan_);
    if (!record) {
        tell_user(doc_.interaction(), record);
        return;
    }
    const planek::result<int> stored = save_group(doc_, *record, model_.editIndex);
    tell_user(doc_.interaction(), stored);
    if (!stored) return;
    model_.storedIndex = *stored;
    QDialog::accept();
}

}  // namespace planek::ui
