#pragma once
// The remove dialog (Tf_Remove), the split dialog (Tf_DutySplit) and the
// about box.
#include <QDialog>
#include <string>

#include "core/plan.h"
#include "document/roster_document.h"
#include "editing/duty_moves.h"
#include "editing/entry_args.h"
#include "editing/duty_remove.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace planek::ui {

// "Usuń": menuItem is the name of the menu item used; a name holding
// "duties" or "dayoff" presets the boxes. After Accepted the duties and/or
// days off are gone (one act of the document).
class RemoveDialog : public QDialog {
public:
    RemoveDialog(roster_document& doc, const std::string& menuItem, QWidget* parent = nullptr);
    void accept() override;

private:
    roster_document& doc_;
    remove_dialog_model model_;
    QCheckBox *duties_, *daysOff_;
    QRadioButton *forWorker_, *fromGroup_;
};

// Splitting the duty behind a "p..." panel at a typed hour. ready() is false
// when the panel leads to no duty. After Accepted outcome() tells what
// happened (Split: the document's act took it apart).
class SplitDialog : public QDialog {
public:
    SplitDialog(roster_document& doc, const std::string& panel, QWidget* parent = nullptr);
    bool ready() const { return ready_; }
    int exec() override;
    void accept() override;
    const split_result& outcome() const { return result_; }

private:
    roster_document& doc_;
    duty_id duty_;
    bool ready_ = false;
    QLineEdit* hour_ = nullptr;
    split_result result_;
};

// "O programie": name, version and the ward-manager's note.
class AboutDialog : public QDialog {
public:
    explicit AboutDialog(const Plan& plan, QWidget* parent = nullptr);
};

}  // namespace planek::ui
