#include "ui/dialogs/templates_dialog.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "calendar/caption_format.h"
#include "calendar/refresh_hooks.h"
#include "core/text.h"
#include "editing/message_text.h"
#include "printouts/generation.h"
#include "printouts/period_sums.h"
#include "document/option_acts.h"
#include "document/output_acts.h"
#include "editing/refusal.h"
#include "ui/dialogs/dialog_util.h"
#include "ui/dialogs/printout_preview.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {

constexpr const char* kForm = "f_Templates";

bool open_with_desktop(const std::filesystem::path& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(qs(file.string())));
}

}  // namespace

TemplatesDialog::TemplatesDialog(roster_document& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), plan_(doc.plan()) {
    const Plan& plan = plan_;
    setObjectName(kForm);
    setFittingTitle(this, caption(plan, kForm, kForm, "Szablony dokumentów"));
    // The preview, or the message naming the file, is the feedback.
    openDocument = [this](const std::filesystem::path& file) {
        show_printout(plan_, file, this);
        return true;
    };
    openEditor = open_with_desktop;
    // A template's output name may draw on the month's figures: they are
    // counted on a copy, the window's stay as they are.
    if (!plan.paths.templates.empty()) {
        Plan look = doc.copy();
        all_ = ZnajdzPliki(look, language_template_folder(look));
    }

    auto* layout = new QVBoxLayout(this);
    search_ = textField(plan, this, "e_Search");
    search_->setPlaceholderText(caption(plan, kForm, "e_Search", "Szukaj..."));
    list_ = new QListWidget(this);
    list_->setObjectName("lb_Templates");
    allGroups_ = new QCheckBox(caption(plan, kForm, "cb_ReadAllGroups",
                                       "Uwzględnij dyżury członków grupy wstawione w innych grupach"),
                               this);
    allGroups_->setObjectName("cb_ReadAllGroups");
    allGroups_->setChecked(plan.options.wydruki.ReadAllGroup);
    onlyWorked_ = new QCheckBox(caption(plan, kForm, "cb_OnlyWorkersWithDutiesOrDayoffs",
                                        "Uwzględnij tylko pracowników, którzy mają wypracowane godziny"),
                                this);
    onlyWorked_->setObjectName("cb_OnlyWorkersWithDutiesOrDayoffs");
    onlyWorked_->setChecked(plan.options.wydruki.cb_OnlyWorkersWithDutiesOrDayoffs);
    auto* buttons = new QHBoxLayout;
    auto* makeButton = new QPushButton(caption(plan, kForm, "sb_Make", "Utwórz"), this);
    makeButton->setObjectName("sb_Make");
    makeButton->setDefault(true);
    edit_ = new QPushButton(caption(plan, kForm, "sb_Edit", "Edytuj"), this);
    edit_->setObjectName("sb_Edit");
    auto* close = new QPushButton(caption(plan, kForm, "sb_Close", "Zamknij"), this);
    close->setObjectName("sb_Close");
    buttons->addWidget(makeButton);
    buttons->addWidget(edit_);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addWidget(search_);
    layout->addWidget(list_);
    layout->addWidget(allGroups_);
    layout->addWidget(onlyWorked_);
    layout->addLayout(buttons);

    // Editing is offered only for the program's own templates, never a server's.
    const std::filesystem::path own =
        plan.paths.root.empty() ? std::filesystem::path() : plan.paths.root / "templates";
    edit_->setEnabled(!own.empty() && own.lexically_normal() == plan.paths.templates.lexically_normal());

    connect(search_, &QLineEdit::textChanged, this, &TemplatesDialog::search);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { make(); });
    connect(makeButton, &QPushButton::clicked, this, [this] { make(); });
    connect(edit_, &QPushButton::clicked, this, &TemplatesDialog::edit);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(allGroups_, &QCheckBox::toggled, this,
            [this](bool on) { tell_user(doc_.interaction(), set_printout_choices(doc_, on, onlyWorked_->isChecked())); });
    connect(onlyWorked_, &QCheckBox::toggled, this,
            [this](bool on) { tell_user(doc_.interaction(), set_printout_choices(doc_, allGroups_->isChecked(), on)); });
    search();
    search_->setFocus();
}

// e_SearchChange
void TemplatesDialog::search() {
    const std::string wanted = lower_pl(ss(search_->text()));
    list_->clear();
    shown_.clear();
    for (int i = 0; i < int(all_.size()); ++i) {
        if (!wanted.empty() && lower_pl(all_[i].title).find(wanted) == std::string::npos) continue;
        shown_.push_back(i);
        list_->addItem(qs(all_[i].title));
        if (all_[i].path == std::filesystem::path(plan_.lastTemplate)) list_->setCurrentRow(list_->count() - 1);
    }
    if (list_->currentRow() < 0 && list_->count() > 0) list_->setCurrentRow(0);
}

const szablon* TemplatesDialog::selected() const {
    const int row = list_->currentRow();
    return row >= 0 && row < int(shown_.size()) ? &all_[shown_[row]] : nullptr;
}

bool TemplatesDialog::make() {
    const szablon* t = selected();
    if (!t) return false;
    printout_request request;
    request.templateFile = t->path;
    request.options.allGroups = allGroups_->isChecked();
    request.options.onlyWorked = onlyWorked_->isChecked();
    const planek::result<gen_result> made = make_printout(doc_, request);
    if (!made) {
        tell_user(doc_.interaction(), made);
        return false;
    }
    if (!openDocument || !openDocument(made->file))
        doc_.interaction().inform(format_caption(plan_.tr.msg("msg_DocumentCreated", "Utworzono dokument:%s%s"),
                                                 {kLineBreak, made->file.string()}));
    return true;
}

void TemplatesDialog::edit() {
    const szablon* t = selected();
    if (!t || !edit_->isEnabled()) return;
    if (!ask_yes_no(
            plan_, "msg_DocumentTemplateEditQuestion",
            "Do edycji wybrano wzorzec: %sWprowadzone zmiany będą miały wpływ %sna wygląd generowanych "
            "dokumentów. %sCzy napewno przejść do edycji wzorca?",
            {t->title + "\n\n", kLineBreak, kLineBreak}))
        return;
    if (openEditor) openEditor(t->path);
}

}  // namespace planek::ui
