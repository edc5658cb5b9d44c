#pragma once
#include <QDialog>

#include "core/plan.h"
#include "document/roster_document.h"
#include "editing/group_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;
class QTabWidget;
class QToolButton;

namespace planek::ui {

class ColourButton;

// "Dodaj/Edytuj grupę" (Tf_GroupAdd). edit = false adds a group; edit = true
// edits the current group, and with none the message is shown and the dialog
// adds instead. After Accepted storedGroup() is the group's index (also
// plan.currentGroup). The form keeps its shift rows between uses when the
// caller hands in the one it keeps; without it the dialog starts afresh.
class GroupDialog : public QDialog {
public:
    GroupDialog(roster_document& doc, group_dialog_model& form, bool edit, QWidget* parent = nullptr);
    GroupDialog(roster_document& doc, bool edit, QWidget* parent = nullptr);
    void accept() override;
    int storedGroup() const { return model_.storedIndex; }
    const group_dialog_model& model() const { return model_; }
    QTableWidget* shiftTable() const { return table_; }

    // The shift table's commands (toolbar, keys).
    void insertShift();
    void appendShift();
    void deleteShift();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildData();
    QWidget* buildShifts();
    QWidget* buildNorm();
    QWidget* buildAutomat();
    void fillControls();
    void fillTable();
    void readControls();
    void readTable();
    void cellChanged(int row, int column);
    void chooseCellColour(int row);

    roster_document& doc_;
    const Plan& plan_;  // the document's
    group_dialog_model ownForm_;
    group_dialog_model& model_;
    bool filling_ = false;
    QTabWidget* pages_ = nullptr;
    QLineEdit *name_, *nick_, *day8_, *norm_;
    ColourButton* colour_ = nullptr;
    QLabel* id_ = nullptr;
    QLabel* nickNotice_ = nullptr;
    QLabel* tableNotice_ = nullptr;
    QTableWidget* table_ = nullptr;
    QToolButton* autoCalc_ = nullptr;
    QCheckBox *saturday_, *dayOffSaturday_, *nightHoliday_, *noHolidays_, *customNorm_;
    QCheckBox *resetBefore_, *residue_, *dayOffDistribution_;
    QRadioButton *algorithm1_, *algorithm2_;
    QComboBox* aim_ = nullptr;
};

}  // namespace planek::ui
