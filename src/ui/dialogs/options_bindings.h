#pragma once
// Controls of the configuration dialog bound to fields of the edited
// options: each binding fills its control from the field and reads it back.
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/plan.h"

class QFormLayout;
class QLineEdit;

namespace planek::ui {

// A cell of the user duty symbol grid: "-" (or nothing) is any (-1), else a
// time; nullopt when it is neither.
std::optional<int> symbol_cell_minutes(const std::string& text);
std::string symbol_cell_text(int minutes);
// The day-off grid's norm glyph after a double click.
std::string toggled_glyph(const std::string& glyph);

class option_bindings {
public:
    explicit option_bindings(const Plan& plan) : plan_(plan) {}
    void check(QFormLayout* form, const char* name, const char* text, bool& field);
    void spin(QFormLayout* form, const char* name, const char* text, int lo, int hi, int& field);
    // items: (caption key, Polish caption); an empty key shows the text as is.
    void choice(QFormLayout* form, const char* name, const char* text,
                const std::vector<std::pair<std::string, std::string>>& items, int& field);
    QLineEdit* text(QFormLayout* form, const char* name, const char* text, std::string& field,
                    int maxLength = 0);
    void time(QFormLayout* form, const char* name, const char* text, int& field, int maxHours);
    // A warning: its switch "cb_<key>" and its threshold "me_v<key>" / "se_v<key>".
    void checkTime(QFormLayout* form, const std::string& key, const char* text, bool& on, int& field);
    void checkSpin(QFormLayout* form, const std::string& key, const char* text, bool& on, int& field, int lo,
                   int hi);

    void fill() const;
    // Reads every control back; the first problem's message, or empty.
    std::string read() const;

private:
    QString caption(const char* key, const char* fallback) const;
    const Plan& plan_;
    std::vector<std::function<void()>> fills_;
    std::vector<std::function<std::string()>> reads_;
};

}  // namespace planek::ui
