#include "ui/warnings_dock.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <map>
#include <numeric>
#include <string_view>

#include "calendar/caption_format.h"
#include "document/view_acts.h"
#include "editing/message_text.h"
#include "editing/refusal.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {

constexpr const char* kForm = "f_Warnings";

// The rules whose lines begin with the day they are about.
bool names_day_first(char rule) { return std::string_view("abcdejk").find(rule) != std::string_view::npos; }

// Texts compared with their runs of digits as numbers, so that 7:00 comes
// before 19:00 and day 3 before day 12.
int compare_numbers_as_numbers(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            size_t ei = i, ej = j;
            while (ei < a.size() && digit(a[ei])) ++ei;
            while (ej < b.size() && digit(b[ej])) ++ej;
            std::string_view x(a.data() + i, ei - i), y(b.data() + j, ej - j);
            while (x.size() > 1 && x.front() == '0') x.remove_prefix(1);
            while (y.size() > 1 && y.front() == '0') y.remove_prefix(1);
            if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
            if (const int c = x.compare(y); c != 0) return c;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
        ++i;
        ++j;
    }
    return (i < a.size()) - (j < b.size());
}

}  // namespace

void order_for_list(std::vector<std::string>& lines, std::vector<warning_place>& places) {
    places.resize(lines.size());
    // Each rule keeps the place its first line has in the file.
    std::map<std::string, size_t> ruleAt;
    std::vector<std::string> rule(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        rule[i] = lines[i].substr(0, lines[i].find(' '));
        ruleAt.emplace(rule[i], i);
    }
    std::vector<size_t> order(lines.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (rule[a] != rule[b]) return ruleAt[rule[a]] < ruleAt[rule[b]];
        if (rule[a].size() != 1 || !names_day_first(rule[a][0])) return false;
        if (places[a].day != places[b].day) return places[a].day < places[b].day;
        return compare_numbers_as_numbers(lines[a], lines[b]) < 0;
    });
    std::vector<std::string> sortedLines;
    std::vector<warning_place> sortedPlaces;
    for (size_t i : order) {
        sortedLines.push_back(std::move(lines[i]));
        sortedPlaces.push_back(places[i]);
    }
    lines = std::move(sortedLines);
    places = std::move(sortedPlaces);
}

WarningsDock::WarningsDock(roster_document& doc, QWidget* parent)
    : QDockWidget(parent), doc_(doc), plan_(doc.plan()) {
    setObjectName("dw_Warnings");
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::RightDockWidgetArea | Qt::LeftDockWidgetArea);
    // The button beside the list, not under it: every pixel of height the
    // list does not need stays with the calendar.
    auto* body = new QWidget(this);
    auto* h = new QHBoxLayout(body);
    h->setContentsMargins(2, 2, 2, 2);
    list_ = new QListWidget(body);
    list_->setObjectName("lb_Warnings");
    list_->setAlternatingRowColors(true);
    list_->setMinimumHeight(3 * list_->fontMetrics().height());
    open_ = new QPushButton(body);
    open_->setObjectName("sb_OpenWarningsFile");
    auto* side = new QVBoxLayout;
    side->addWidget(open_);
    side->addStretch(1);
    h->addWidget(list_, 1);
    h->addLayout(side);
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
    // The lines were written in the language of their check.
    refreshSoon();
}

bool WarningsDock::check() {
    checking_ = true;
    pending_ = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Looking again at the roster changes none of it.
    const result<warnings_report> report = check_warnings(doc_);
    QApplication::restoreOverrideCursor();
    if (checked) checked();
    tell_user(doc_.interaction(), report);
    const bool written = report && report->outcome == warnings_outcome::Written;
    if (written) showReport(*report);
    checking_ = false;
    return written;
}

void WarningsDock::refreshSoon() {
    if (!shown_ || checking_ || pending_) return;
    pending_ = true;
    QTimer::singleShot(0, this, &WarningsDock::runPending);
}

void WarningsDock::runPending() {
    if (!pending_) return;
    // Hidden, the list waits until it is shown again; in week mode the check
    // is refused, so the list keeps what it showed.
    if (!isVisible() || plan_.weekMode || !plan_.group()) return;
    // Never in the middle of a dialog's act (the scheduler's progress, a
    // question): the roster is not settled yet. It is tried again soon.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(100, this, &WarningsDock::runPending);
        return;
    }
    check();
}

void WarningsDock::showEvent(QShowEvent* e) {
    QDockWidget::showEvent(e);
    if (pending_) QTimer::singleShot(0, this, &WarningsDock::runPending);
}

void WarningsDock::showReport(const warnings_report& report) {
    std::vector<std::string> lines = report.lines;
    std::vector<warning_place> places = report.places;
    order_for_list(lines, places);
    file_ = report.file;
    open_->setEnabled(!file_.empty());
    open_->setToolTip(qs(file_.string()));
    shown_ = true;
    // The same findings leave the list as it is, with the line the user
    // chose still chosen.
    if (lines == lines_ && places == places_) return;
    QSignalBlocker block(list_);
    list_->clear();
    lines_ = std::move(lines);
    places_ = std::move(places);
    for (const std::string& line : lines_) list_->addItem(qs(line));
}

void WarningsDock::openReportFile() {
    if (file_.empty()) return;
    if (openFile && openFile(file_)) return;
    plan_.ui->inform(format_caption(plan_.tr.msg("msg_WarningsFileAt", "Ostrzeżenia zapisano w pliku:%s%s"),
                                    {kLineBreak, file_.string()}));
}

}  // namespace planek::ui
