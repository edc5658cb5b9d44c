#pragma once
#include <QDialog>
#include <filesystem>
#include <functional>
#include <vector>

#include "core/plan.h"
#include "document/roster_document.h"
#include "printouts/template_file.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace planek::ui {

// "Szablony dokumentów" (Tf_Templates): the templates of the templates
// folder, a search box, "Utwórz" (also a double click), "Edytuj" and the
// two check boxes passed to the expansion.
class TemplatesDialog : public QDialog {
public:
    explicit TemplatesDialog(roster_document& doc, QWidget* parent = nullptr);
    // Runs the selected template; false when none is selected or it failed.
    bool make();
    void edit();
    // Opening the finished document and opening a template in the text
    // editor; both default to the desktop's own program. When no program
    // opens the document (false), a message names its file instead.
    std::function<bool(const std::filesystem::path&)> openDocument;
    std::function<void(const std::filesystem::path&)> openEditor;
    QListWidget* list() const { return list_; }
    const std::vector<szablon>& templates() const { return all_; }

private:
    void search();
    const szablon* selected() const;

    roster_document& doc_;
    const Plan& plan_;  // the document's
    std::vector<szablon> all_;
    std::vector<int> shown_;  // indexes into all_ of the list's rows
    QLineEdit* search_ = nullptr;
    QListWidget* list_ = nullptr;
    QCheckBox *allGroups_ = nullptr, *onlyWorked_ = nullptr;
    QPushButton* edit_ = nullptr;
};

}  // namespace planek::ui
