#include "ui/warnings_dock.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "calendar/caption_format.h"
#include "editing/message_text.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {

constexpr const char* kForm = "f_Warnings";

}  // namespace

WarningsDock::WarningsDock(const Plan& plan, QWidget* parent) : QDockWidget(parent), plan_(plan) {
    setObjectName("dw_Warnings");
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::RightDockWidgetArea | Qt::LeftDockWidgetArea);
    auto* body = new QWidget(this);
    auto* v = new QVBoxLayout(body);
    v->setContentsMargins(2, 2, 2, 2);
    list_ = new QListWidget(body);
    list_->setObjectName("lb_Warnings");
    list_->setAlternatingRowColors(true);
    open_ = new QPushButton(body);
    open_->setObjectName("sb_OpenWarningsFile");
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(open_);
    v->addWidget(list_, 1);
    v->addLayout(row);
    setWidget(body);
    openFile = [](const std::filesystem::path& f) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(qs(f.string())));
    };
    connect(list_, &QListWidget::currentRowChanged, this, [this](int r) {
        if (r >= 0 && r < int(places_.size())) emit placeChosen(places_[size_t(r)]);
    });
    connect(open_, &QPushButton::clicked, this, &WarningsDock::openReportFile);
    retranslate();
}

void WarningsDock::retranslate() {
    setWindowTitle(text(plan_, kForm, "f_Warnings", "Ostrzeżenia"));
    open_->setText(text(plan_, kForm, "sb_OpenFile", "Otwórz plik"));
    open_->setToolTip(qs(file_.string()));
}

void WarningsDock::showReport(const warnings_report& report) {
    QSignalBlocker block(list_);
    list_->clear();
    places_ = report.places;
    places_.resize(report.lines.size());
    for (const std::string& line : report.lines) list_->addItem(qs(line));
    file_ = report.file;
    open_->setEnabled(!file_.empty());
    open_->setToolTip(qs(file_.string()));
}

void WarningsDock::openReportFile() {
    if (file_.empty()) return;
    if (openFile && openFile(file_)) return;
    plan_.ui->inform(format_caption(plan_.tr.msg("msg_WarningsFileAt", "Ostrzeżenia zapisano w pliku:%s%s"),
                                    {kLineBreak, file_.string()}));
}

}  // namespace planek::ui
