#pragma once
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/plan.h"
#include "document/roster_document.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;
class QTabWidget;

namespace planek::ui {

class option_bindings;

// "Konfiguracja" (f_Options). The controls edit a copy of the options;
// "Zapisz" applies them to the open plan (norm and summaries recomputed,
// paths recomputed) and writes konfiguracja.ini (never a server's, which is
// said) and net.ini when the network page shows; OK does the same and
// closes, so that what it applied is there after a restart.
class OptionsDialog : public QDialog {
public:
    enum Page {
        General,
        User,
        Symbols,
        Overtime,
        DaysOff,
        DutyAs,
        Lists,
        Warnings,
        Network,
        Occupations,
        Educations
    };

    OptionsDialog(roster_document& doc, QWidget* parent = nullptr);
    ~OptionsDialog() override;
    // Shows a page; Occupations and Educations put the focus in that list.
    void showPage(Page page);
    void accept() override;
    // "Zapisz": true when the values were applied (and written, if local).
    bool save();
    // The new password, asked by the "Zmień" link; empty = remove it,
    // nullopt = leave it. Defaults to two password prompts.
    std::function<std::optional<std::string>()> askPassword;

    QTableWidget* dayOffGrid() const { return dayOff_; }
    QTableWidget* dutyAsGrid() const { return dutyAs_; }
    QTableWidget* symbolGrid() const { return symbols_; }

private:
    QWidget* buildGeneral();
    QWidget* buildUser();
    QWidget* buildSymbols();
    QWidget* buildOvertime();
    QWidget* buildDaysOff();
    QWidget* buildDutyAs();
    QWidget* buildLists();
    QWidget* buildWarnings();
    QWidget* buildNetwork();
    void fill();
    // The controls into the edited copy; false (with a message) when a
    // field cannot be read.
    bool read();
    void apply();
    void changePassword();

    roster_document& doc_;
    const Plan& plan_;  // the document's
    Options edited_;
    std::vector<dutyas_> dutyAsEdited_;
    std::vector<dyz_symb_> symbolsEdited_;
    std::unique_ptr<option_bindings> bindings_;
    QTabWidget* pages_ = nullptr;
    int networkPage_ = -1;
    QTableWidget *dayOff_ = nullptr, *dutyAs_ = nullptr, *symbols_ = nullptr;
    QPlainTextEdit *occupations_ = nullptr, *educations_ = nullptr;
};

}  // namespace planek::ui
