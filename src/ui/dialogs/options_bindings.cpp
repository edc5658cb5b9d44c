#include "ui/dialogs/options_bindings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>

#include "calendar/time_text.h"
#include "core/text.h"
#include "editing/typed_time.h"
#include "ui/dialogs/dialog_util.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {
constexpr const char* kForm = "f_Options";
}

std::optional<int> symbol_cell_minutes(const std::string& text) {
    const std::string t = trim(text);
    if (t.empty() || t == "-") return -1;
    return typed_minutes(t, 24);
}

std::string symbol_cell_text(int minutes) { return minutes < 0 ? "-" : clock_time(minutes); }

std::string toggled_glyph(const std::string& glyph) {
    return glyph == kNormatywOn ? kNormatywOff : kNormatywOn;
}

QString option_bindings::caption(const char* key, const char* fallback) const {
    return ui::caption(plan_, kForm, key, fallback);
}

void option_bindings::check(QFormLayout* form, const char* name, const char* text, bool& field) {
    auto* b = new QCheckBox(caption(name, text), form->parentWidget());
    b->setObjectName(name);
    form->addRow(b);
    fills_.push_back([b, &field] { b->setChecked(field); });
    reads_.push_back([b, &field] {
        field = b->isChecked();
        return std::string();
    });
}

void option_bindings::spin(QFormLayout* form, const char* name, const char* text, int lo, int hi,
                           int& field) {
    auto* s = new QSpinBox(form->parentWidget());
    s->setObjectName(name);
    s->setRange(lo, hi);
    form->addRow(caption(name, text), s);
    fills_.push_back([s, &field] { s->setValue(field); });
    reads_.push_back([s, &field] {
        field = s->value();
        return std::string();
    });
}

void option_bindings::choice(QFormLayout* form, const char* name, const char* text,
                             const std::vector<std::pair<std::string, std::string>>& items, int& field) {
    auto* c = new QComboBox(form->parentWidget());
    c->setObjectName(name);
    for (const auto& [key, fallback] : items)
        c->addItem(key.empty() ? qs(fallback) : caption(key.c_str(), fallback.c_str()));
    form->addRow(caption(name, text), c);
    fills_.push_back([c, &field] { c->setCurrentIndex(field < c->count() ? field : -1); });
    reads_.push_back([c, &field] {
        field = c->currentIndex();
        return std::string();
    });
}

QLineEdit* option_bindings::text(QFormLayout* form, const char* name, const char* label, std::string& field,
                                 int maxLength) {
    QLineEdit* e = textField(plan_, form->parentWidget(), name, maxLength);
    form->addRow(caption(name, label), e);
    fills_.push_back([e, &field] { e->setText(qs(field)); });
    const std::string shown = ss(caption(name, label));
    reads_.push_back([this, e, &field, shown] {
        std::string bad = unencodable_message(plan_, {{shown, ss(e->text())}});
        if (bad.empty()) field = ss(e->text());
        return bad;
    });
    return e;
}

void option_bindings::time(QFormLayout* form, const char* name, const char* label, int& field, int maxHours) {
    QLineEdit* e = timeField(plan_, form->parentWidget(), name, maxHours);
    form->addRow(caption(name, label), e);
    fills_.push_back([e, &field] { e->setText(qs(clock_time(field))); });
    const std::string shown = ss(caption(name, label));
    reads_.push_back([this, e, &field, shown, maxHours] {
        const auto m = typed_minutes(ss(e->text()), maxHours);
        if (!m) return bad_time_message(plan_, {{shown, ss(e->text())}}, maxHours);
        field = *m;
        return std::string();
    });
}

void option_bindings::checkTime(QFormLayout* form, const std::string& key, const char* label, bool& on,
                                int& field) {
    const std::string box = "cb_" + key, value = "me_v" + key;
    auto* b = new QCheckBox(caption(box.c_str(), label), form->parentWidget());
    b->setObjectName(box.c_str());
    QLineEdit* e = timeField(plan_, form->parentWidget(), value.c_str(), 999);
    form->addRow(b, e);
    fills_.push_back([b, e, &on, &field] {
        b->setChecked(on);
        e->setText(qs(clock_time(field)));
    });
    const std::string shown = ss(caption(box.c_str(), label));
    reads_.push_back([this, b, e, &on, &field, shown] {
        const auto m = typed_minutes(ss(e->text()), 999);
        if (!m) return bad_time_message(plan_, {{shown, ss(e->text())}}, 999);
        on = b->isChecked();
        field = *m;
        return std::string();
    });
}

void option_bindings::checkSpin(QFormLayout* form, const std::string& key, const char* label, bool& on,
                                int& field, int lo, int hi) {
    const std::string box = "cb_" + key, value = "se_v" + key;
    auto* b = new QCheckBox(caption(box.c_str(), label), form->parentWidget());
    b->setObjectName(box.c_str());
    auto* s = new QSpinBox(form->parentWidget());
    s->setObjectName(value.c_str());
    s->setRange(lo, hi);
    form->addRow(b, s);
    fills_.push_back([b, s, &on, &field] {
        b->setChecked(on);
        s->setValue(field);
    });
    reads_.push_back([b, s, &on, &field] {
        on = b->isChecked();
        field = s->value();
        return std::string();
    });
}

void option_bindings::fill() const {
    for (const auto& f : fills_) f();
}

std::string option_bindings::read() const {
    // Nothing is stored unless every control can be read.
    for (const auto& r : reads_)
        if (std::string bad = r(); !bad.empty()) return bad;
    return {};
}

}  // namespace planek::ui
