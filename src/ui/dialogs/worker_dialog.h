#pragma once
#include <QDialog>
#include <functional>

#include "core/plan.h"
#include "document/roster_document.h"
#include "editing/worker_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;

namespace planek::ui {

class ColourButton;

// "Dodaj/Edytuj pracownika" (Tf_WorkerAdd). worker = index to edit, -1 to add.
// When there is no group (or no such worker) the message has been shown and
// ready() is false: exec() then returns Rejected at once (with no group the
// caller starts adding a group). OK hands the form's record to the
// document's act; after Accepted storedWorker() is the worker's index,
// nickChanged() tells whether the panels need rebuilding.
// The form keeps its values between uses when the caller hands in the one it
// keeps (the window keeps one per plan); without it the dialog starts afresh.
class WorkerDialog : public QDialog {
public:
    WorkerDialog(roster_document& doc, worker_dialog_model& form, int worker, QWidget* parent = nullptr);
    WorkerDialog(roster_document& doc, int worker, QWidget* parent = nullptr);
    bool ready() const { return ready_; }
    int exec() override;
    void accept() override;
    int storedWorker() const { return model_.storedIndex; }
    bool nickChanged() const { return model_.nickChanged; }
    const worker_dialog_model& model() const { return model_; }
    // Choosing "*** dostosuj listę... ***": 0 occupations, 1 educations.
    // Defaults to the configuration dialog on its list page.
    std::function<void(int list)> onCustomizeList;

private:
    QWidget* buildData();
    QWidget* buildGroups();
    QWidget* buildAddress();
    QWidget* buildExtra();
    QWidget* buildLeave();
    QWidget* buildWorkTime();
    QWidget* buildAutomat();
    void fillControls();
    void readControls();
    void refreshEnabled();
    void fillList(QComboBox* box, const std::vector<std::string>& items, const std::string& current);
    void listChosen(QComboBox* box, int list);

    roster_document& doc_;
    const Plan& plan_;  // the document's
    worker_dialog_model ownForm_;
    worker_dialog_model& model_;
    bool ready_ = false;
    QTabWidget* pages_ = nullptr;
    QLineEdit *surname_, *name_, *nick_, *address_, *postOffice_, *zip_, *phone_, *email_, *pesel_, *courses_;
    QLineEdit *user1_, *user2_, *user3_;
    QComboBox *occupation_, *education_, *employment_;
    ColourButton* colour_ = nullptr;
    QLabel* id_ = nullptr;
    QCheckBox* old_ = nullptr;
    QListWidget* groups_ = nullptr;
    QLineEdit *currentYear_, *lastYear_, *careHours_;
    QComboBox* careMode_ = nullptr;
    QSpinBox *careDays_, *rehaDays_;
    QLineEdit *partTime_, *ownNorm_, *lastMonth_;
    QCheckBox *ownNormBox_, *ownNormCalc_;
    QLabel *defaultPartTime_, *defaultNorm_, *lastMonthAuto_;
    QRadioButton *without_, *auto8_, *scheme_;
    QLineEdit *pattern8_, *pattern_;
    QSpinBox *start8_, *start_;
    QCheckBox *const8_, *constS_, *asWeek_, *fromHourBox_;
    QListWidget* days_ = nullptr;
    QLineEdit* fromHour_ = nullptr;
    QSlider *dayNight_, *normalHoliday_;
};

}  // namespace planek::ui
