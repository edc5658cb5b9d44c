#pragma once
// The remove dialog (Tf_Remove), the split dialog (Tf_DutySplit) and the
// about box.
#include <QDialog>
#include <string>

#include "core/plan.h"
#include "editing/duty_moves.h"
#include "editing/duty_remove.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace planek::ui {

// "Usuń": menuItem is the name of the menu item used; a name holding
// "duties" or "dayoff" presets the boxes. After Accepted the duties and/or
// days off are gone; the caller redraws the panels and the worker list.
class RemoveDialog : public QDialog {
public:
    RemoveDialog(Plan& plan, const std::string& menuItem, QWidget* parent = nullptr);
    void accept() override;

private:
    Plan& plan_;
    remove_dialog_model model_;
    QCheckBox *duties_, *daysOff_;
    QRadioButton *forWorker_, *fromGroup_;
};

// Splitting the duty behind a "p..." panel at a typed hour. ready() is false
// when the panel leads to no duty. After Accepted outcome() tells what
// happened (Split: the caller redraws the worker and both days).
class SplitDialog : public QDialog {
public:
    SplitDialog(Plan& plan, const std::string& panel, QWidget* parent = nullptr);
    bool ready() const { return ready_; }
    int exec() override;
    void accept() override;
    const split_result& outcome() const { return result_; }

private:
    Plan& plan_;
    std::string panel_;
    bool ready_ = false;
    QLineEdit* hour_ = nullptr;
    split_result result_;
};

// "O programie": name, version and the ward-manager's note.
class AboutDialog : public QDialog {
public:
    explicit AboutDialog(Plan& plan, QWidget* parent = nullptr);
};

}  // namespace planek::ui
