#include "ui/dialogs/scheduler_run.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "document/schedule_acts.h"
#include "editing/message_text.h"
#include "ui/dialogs/dialog_util.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {

QString algorithm_title(const Plan& plan) { return qs(plan.tr.tr("f_GroupAdd", "rg_Algorithms1", "Algorytm 2")); }

}  // namespace

AcceptRunDialog::AcceptRunDialog(const Plan& plan, const std::string& question, const std::vector<std::string>& unmet,
                                 QWidget* parent)
    : QDialog(parent) {
    setObjectName("f_AcceptRun");
    setFittingTitle(this, qs(plan.options.appTitle));
    auto* v = new QVBoxLayout(this);
    if (!unmet.empty()) {
        auto* heading = new QLabel(qs(plan.tr.msg("msg_SearchUnmetHeading", "Tego nie udało się spełnić:")), this);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        v->addWidget(heading);
        unmet_ = new QPlainTextEdit(this);
        unmet_->setObjectName("m_Unmet");
        unmet_->setReadOnly(true);
        unmet_->setLineWrapMode(QPlainTextEdit::NoWrap);
        QStringList lines;
        for (const std::string& line : unmet) lines << qs(line);
        unmet_->setPlainText(lines.join('\n'));
        // Wide enough for a line, tall enough for a dozen, scrolled beyond.
        const QFontMetrics m(unmet_->font());
        int widest = 0;
        for (const QString& line : lines) widest = std::max(widest, m.horizontalAdvance(line));
        unmet_->setMinimumSize(std::min(widest + 40, 900), m.lineSpacing() * std::min<int>(int(lines.size()) + 1, 12) + 12);
        v->addWidget(unmet_, 1);
    }
    auto* ask = new QLabel(qs(question), this);
    ask->setObjectName("l_Question");
    ask->setWordWrap(true);
    v->addWidget(ask);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No, this);
    buttons->button(QDialogButtonBox::Yes)->setObjectName("b_Yes");
    buttons->button(QDialogButtonBox::No)->setObjectName("b_No");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    v->addWidget(buttons);
}

result<scheduler_report> run_scheduler_in_window(roster_document& doc, QWidget* parent, std::function<void()> redraw) {
    // The second algorithm shows how far it is, and Stop keeps the best
    // roster found so far; the dialog goes before the question is asked, so
    // it never stands frozen behind it.
    auto progress = std::make_shared<std::unique_ptr<QProgressDialog>>();
    scheduler_hooks& hooks = doc.hooks().scheduler;
    hooks.busy = [progress](const Plan&, bool busy) {
        if (busy) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            return;
        }
        progress->reset();
        QApplication::restoreOverrideCursor();
    };
    hooks.redraw = [redraw](const Plan&) {
        if (redraw) redraw();
    };
    hooks.progress = [parent, progress](const Plan& p, const scheduler_progress& at) {
        if (!*progress) {
            *progress = std::make_unique<QProgressDialog>(parent);
            QProgressDialog& d = **progress;
            d.setObjectName("d_SearchProgress");
            d.setWindowModality(Qt::WindowModal);
            d.setWindowTitle(algorithm_title(p));
            d.setCancelButtonText(qs(message(p, "msg_SearchStop", "Stop")));
            d.setRange(0, 1000);
            d.setMinimumDuration(0);
        }
        (*progress)->setValue(std::clamp(int(at.done * 1000), 0, 999));
        (*progress)->setLabelText(qs(message(p, "msg_SearchProgress", "Najlepszy planek do tej pory: uwag %s",
                                             {std::to_string(at.bestFindings)})));
        QApplication::processEvents();
        return !(*progress)->wasCanceled();
    };
    hooks.accept = [parent](const Plan& p, const std::string& question, const std::vector<std::string>& unmet) {
        // With nothing left unmet the question is the usual message box.
        if (unmet.empty()) return p.ui->ask(question, Buttons::YesNo) == Answer::Yes;
        AcceptRunDialog d(p, question, unmet, parent);
        return d.exec() == QDialog::Accepted;
    };
    result<scheduler_report> report = planek::run_scheduler(doc, {});
    doc.hooks().scheduler = {};
    progress->reset();
    if (report && !report->asked && (!report->unmet.empty() || !report->wishes.empty())) {
        std::string text;
        for (const std::string& line : report->unmet) text += line + "\n";
        for (const std::string& line : report->wishes) text += line + "\n";
        doc.interaction().inform(text);
    }
    return report;
}

}  // namespace planek::ui
