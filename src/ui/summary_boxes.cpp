#include "ui/summary_boxes.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "calendar/summaries.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {

QGroupBox* box(const Plan& plan, const char* name, const char* caption, QGridLayout*& grid) {
    auto* b = new QGroupBox(text(plan, "f_MainForm", name, caption));
    b->setObjectName(name);
    grid = new QGridLayout(b);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(0);
    grid->setColumnStretch(1, 1);
    return b;
}

}  // namespace

SummaryBoxes::SummaryBoxes(Plan& plan, QWidget* parent) : QWidget(parent), plan_(plan) {
    // The list's small type, so that all four boxes stand whole under the
    // list on a screen 768 pixels high.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    QGridLayout* g;
    v->addWidget(box(plan, "gb_WorkerNorma", "Normatyw pracownika", g));
    add(g, 0, "l_wnq_Norma", "Normatyw:");
    add(g, 1, "l_wnq_NormaUsed", "Wykorzystano:");
    add(g, 2, "l_wnq_NormaUnused", "Pozostało:");
    add(g, 3, "l_wnq_Overtime", "Nadgodziny:");
    add(g, 4, "l_wnq_PreviousPeriod", "Z poprzedniego okresu:");
    add(g, 5, "openNormAsDuties", "");
    v->addWidget(box(plan, "gb_Duties", "Dyżury", g));
    add(g, 0, "l_dq_Days", "Dzienne:");
    add(g, 1, "l_dq_Nights", "Nocne:");
    add(g, 2, "l_dq_Holidays", "Świąteczne:");
    add(g, 3, "l_dq_Total", "Razem:");
    v->addWidget(box(plan, "gb_DaysOff", "Wolne", g));
    add(g, 0, "l_lq_Total", "Razem:");
    add(g, 1, "l_lq_HolidayUnused", "Urlop pozostały:");
    add(g, 2, "l_lq_RehaHolidayUnused", "Urlop rehabilitacyjny:");
    add(g, 3, "l_lq_CareDaysUnused", "Opieka nad dzieckiem:");
    v->addWidget(box(plan, "gb_Period", "Okres rozliczeniowy", g));
    add(g, 0, "l_pq_Norma", "Normatyw:");
    add(g, 1, "l_pq_Duties", "Dyżury:");
    add(g, 2, "l_pq_DayOffs", "Wolne:");
    add(g, 3, "l_pq_NormaUnused", "Pozostało:");
    wishes_ = box(plan, "gb_Wishes", "Życzenia", g);
    v->addWidget(wishes_);
    add(g, 0, "l_wq_Wishes", "Spełnione:");
    add(g, 1, "wishList", "");
    v->addStretch(1);
}

QLabel* SummaryBoxes::add(QGridLayout* grid, int row, const char* key, const char* caption) {
    std::string captionKey = std::string(key);
    if (captionKey.rfind("l_", 0) == 0 && captionKey.size() > 4 && captionKey[3] == 'q')
        captionKey.erase(3, 1);  // "l_dq_Days" is the figure of caption "l_d_Days"
    auto* name = new QLabel(qs(plan_.tr.tr("f_MainForm", captionKey, caption)));
    auto* value = new QLabel;
    value->setObjectName(key);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A long figure ("w tym 12:00 z poprz.mies.") wraps in a narrow panel
    // instead of being cut; one without a caption takes the whole row.
    value->setWordWrap(true);
    if (captionKey == "l_l_CareDaysUnused") careCaption_ = name;
    if (name->text().isEmpty()) {
        delete name;
        grid->addWidget(value, row, 0, 1, 2);
    } else {
        grid->addWidget(name, row, 0, Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(value, row, 1);
    }
    figures_[key] = value;
    return value;
}

QString SummaryBoxes::figure(const QString& name) const {
    auto it = figures_.find(name);
    return it == figures_.end() ? QString() : it->second->text();
}

void SummaryBoxes::refresh() {
    worker_boxes b;
    if (plan_.currentWorker >= 0 && plan_.currentWorker < int(plan_.workers.size()))
        b = ramki_pracownika(plan_, plan_.currentWorker, plan_.currentMonth);
    const std::pair<const char*, const std::string*> values[] = {
        {"l_wnq_Norma", &b.l_wnq_Norma},
        {"l_wnq_NormaUsed", &b.l_wnq_NormaUsed},
        {"l_wnq_NormaUnused", &b.l_wnq_NormaUnused},
        {"l_wnq_Overtime", &b.l_wnq_Overtime},
        {"l_wnq_PreviousPeriod", &b.l_wnq_PreviousPeriod},
        {"openNormAsDuties", &b.openNormAsDuties},
        {"l_dq_Days", &b.l_dq_Days},
        {"l_dq_Nights", &b.l_dq_Nights},
        {"l_dq_Holidays", &b.l_dq_Holidays},
        {"l_dq_Total", &b.l_dq_Total},
        {"l_lq_Total", &b.l_lq_Total},
        {"l_lq_HolidayUnused", &b.l_lq_HolidayUnused},
        {"l_lq_RehaHolidayUnused", &b.l_lq_RehaHolidayUnused},
        {"l_lq_CareDaysUnused", &b.l_lq_CareDaysUnused},
        {"l_pq_Norma", &b.l_pq_Norma},
        {"l_pq_Duties", &b.l_pq_Duties},
        {"l_pq_DayOffs", &b.l_pq_DayOffs},
        {"l_wq_Wishes", &b.l_wq_Wishes},
        {"wishList", &b.wishList},
        {"l_pq_NormaUnused", &b.l_pq_NormaUnused},
    };
    for (const auto& [key, value] : values) figures_[key]->setText(b.shown ? qs(*value) : QString());
    if (careCaption_ && !b.l_l_CareDaysUnused.empty()) careCaption_->setText(qs(b.l_l_CareDaysUnused));
    wishes_->setVisible(b.shown && !b.l_wq_Wishes.empty());
}

}  // namespace planek::ui
