#include "ui/wish_marks.h"

#include <QMenu>
#include <QPainter>

#include "editing/message_text.h"
#include "editing/month_access.h"
#include "editing/undo_stack.h"
#include "editing/wishes.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {

constexpr const char* kForm = "f_MainForm";

QString with_number(const Plan& plan, const char* key, const char* fallback, int n) {
    return text(plan, kForm, key, fallback).replace("%s", QString::number(n));
}

void set_wish(Plan& plan, int worker, int dayIndex, const wish& w, const std::function<void(int)>& edited) {
    undo_scope step(plan, "undo_Wish", "Życzenie");
    const wish_refusal r = ustaw_zyczenie(plan, worker, dayIndex, w);
    step.end();
    if (r.refused()) {
        plan.ui->warn(message(plan, r.key, r.fallback));
        return;
    }
    edited(worker);
}

// The sign of a wish on the calendar: "W" a day off, "+" a shift wanted,
// "−" a shift she would rather not work; the weight as that many dots.
QString sign_of(const wish& w) {
    QString s = w.kind == wish_kind::DayOff ? "W" : w.kind == wish_kind::Shift ? "+" : QString::fromUtf8("−");
    return s + QString(int(w.weight) - 1, QChar(0x2022));
}

}  // namespace

void add_wish_menu(QMenu& menu, Plan& plan, int dayIndex, const std::function<void(int)>& edited) {
    const int worker = plan.currentWorker;
    const ms_* m = worker_month(plan, worker);
    const grupa* g = plan.group();
    if (!m || !g || dayIndex < 0 || dayIndex >= kMaxDays) return;
    QMenu* sub = menu.addMenu(text(plan, kForm, "mi_Wish", "Życzenie"));
    sub->setObjectName("pm_Wish");
    const wish now = m->wishes[size_t(dayIndex)];
    const byte weight = now.used() ? now.weight : byte(kMinWishWeight);
    const auto choice = [&, worker, dayIndex](const QString& caption, wish w) {
        QAction* a = sub->addAction(caption);
        a->setCheckable(true);
        a->setChecked(now.used() && now.kind == w.kind && now.shift == w.shift);
        QObject::connect(a, &QAction::triggered, sub, [&plan, worker, dayIndex, w, edited] {
            set_wish(plan, worker, dayIndex, w, edited);
        });
    };
    choice(text(plan, kForm, "mi_WishDayOff", "Chce mieć wolne"), {wish_kind::DayOff, 0, weight});
    for (int s = 1; s <= int(g->shifts.size()); ++s)
        choice(with_number(plan, "mi_WishShift", "Chce zmianę %s", s), {wish_kind::Shift, byte(s), weight});
    for (int s = 1; s <= int(g->shifts.size()); ++s)
        choice(with_number(plan, "mi_WishNotShift", "Wolałaby nie mieć zmiany %s", s),
               {wish_kind::NotShift, byte(s), weight});
    sub->addSeparator();
    for (int k = kMinWishWeight; k <= kMaxWishWeight; ++k) {
        QAction* a = sub->addAction(with_number(plan, "mi_WishWeight", "Waga %s", k));
        a->setCheckable(true);
        a->setChecked(now.used() && now.weight == k);
        a->setEnabled(now.used());
        wish w = now;
        w.weight = byte(k);
        QObject::connect(a, &QAction::triggered, sub, [&plan, worker, dayIndex, w, edited] {
            set_wish(plan, worker, dayIndex, w, edited);
        });
    }
    QAction* clear = sub->addAction(text(plan, kForm, "mi_WishClear", "Usuń życzenie"));
    clear->setEnabled(now.used());
    QObject::connect(clear, &QAction::triggered, sub, [&plan, worker, dayIndex, edited] {
        set_wish(plan, worker, dayIndex, wish{}, edited);
    });
}

void paint_wish_marks(QPainter& p, const Plan& plan, const std::function<QRect(int, int)>& cellRect) {
    const ms_* m = worker_month(plan, plan.currentWorker);
    if (!m) return;
    const auto& cal = plan.calendar;
    QFont f = p.font();
    f.setPointSize(7);
    f.setItalic(true);
    p.setFont(f);
    const QColor ink(128, 0, 160);
    for (int r = 0; r < cal.gridRows; ++r)
        for (int c = 0; c < cal.gridColumns(); ++c) {
            const calendar_cell& cell = cal.cell(r, c);
            if (cell.dayIndex < 0 || cell.dayIndex >= kMaxDays) continue;
            const wish& w = m->wishes[size_t(cell.dayIndex)];
            if (!w.used() || cell.slot != (w.kind == wish_kind::DayOff ? 1 : int(w.shift))) continue;
            const QString sign = sign_of(w);
            const QRect rect = cellRect(r, c);
            const QRect mark(rect.left() + 2, rect.top() + 2, p.fontMetrics().horizontalAdvance(sign) + 6,
                             p.fontMetrics().height() + 2);
            p.setPen(QPen(ink, 1, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(mark, 3, 3);
            p.setPen(ink);
            p.drawText(mark, Qt::AlignCenter, sign);
        }
}

}  // namespace planek::ui
