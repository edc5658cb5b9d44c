#include "ui/store_month.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSocketNotifier>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>

#include "document/month_acts.h"
#include "editing/refusal.h"
#include "settings/message_format.h"
#include "store/month_save.h"
#include "store/planners.h"
#include "store/ward_session.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace planek::ui {

using namespace planek::store;

StoreMonth::StoreMonth(pg_connection db, int year, int month) : db_(std::move(db)), year_(year), month_(month) {}

StoreMonth::~StoreMonth() {
    if (doc_ && subscription_) doc_->unsubscribe(subscription_);
    if (mark_) (void)unmark_editing(db_, *mark_);
}

std::optional<std::pair<int, int>> StoreMonth::parse_month(const std::string& word) {
    int y = 0, m = 0;
    char end = 0;
    if (word.size() != 7 || word[4] != '-' || std::sscanf(word.c_str(), "%4d-%2d%c", &y, &m, &end) != 2 || y < 1 ||
        m < 1 || m > 12)
        return std::nullopt;
    return std::pair(y, m);
}

std::string StoreMonth::monthWord() const {
    char word[16];
    std::snprintf(word, sizeof word, "%04d-%02d", year_, month_);
    return word;
}

result<Plan> StoreMonth::readSession(std::shared_ptr<Interaction> ui, const std::optional<std::string>& language,
                                     const std::filesystem::path& languageFolder) {
    result<ward_month> found = read_ward_month(db_, year_, month_);
    if (!found) return found.error();
    read_ = std::move(*found);
    Plan plan;
    plan.ui = std::move(ui);
    const result<> opened = open_ward_session(plan, read_->files, language, languageFolder);
    if (!opened) return opened.error();
    tell_user(*plan.ui, opened);
    return plan;
}

int StoreMonth::shownGroupId() const {
    const Plan& plan = doc_->plan();
    return plan.currentGroup >= 0 && plan.currentGroup < int(plan.groups.size())
               ? int(plan.groups[size_t(plan.currentGroup)].id)
               : 0;
}

result<> StoreMonth::open(roster_document& doc, MainWindow& window) {
    doc_ = &doc;
    window_ = &window;
    months_request request;
    request.wholeFilesOnly = true;  // an edit reads the whole month, as from a file
    if (result<std::vector<std::string>> opened = open_held_month(doc, read_->read.name, read_->bytes, request);
        !opened)
        return opened.error();
    if (result<> listening = listen_for_changes(db_); !listening) return listening;
    socket_ = new QSocketNotifier(db_.socket(), QSocketNotifier::Read, this);
    connect(socket_, &QSocketNotifier::activated, this, &StoreMonth::takeNotifications);

    notice_ = new QLabel(&window);
    notice_->setObjectName("st_StoreChange");
    notice_->setStyleSheet("color: #1a5fa0");
    notice_->hide();
    window.statusBar()->addWidget(notice_);
    window.saveMonth = [this] { saveOrReadAgain(); };
    window.caption = [this] {
        return qs(fill_message(doc_->plan().tr.tr("f_MainForm", "l_StoreTitle", "%s (baza %s)"),
                               {monthWord(), db_.database()}));
    };
    window.wardEditors = [this] { return editors(); };
    // What only a data folder has: other month files and their copies, and
    // the staff and group files the worker and group acts write at once.
    for (const char* name : {"a_ProjectNew", "a_ProjectOpen", "mi_SaveAs", "a_RestoreMonth", "a_RestoreWorkers",
                             "mi_RestoreArchive", "a_WorkerAdd", "a_WorkerEdit", "a_WorkerDelete", "a_WorkerRestore",
                             "a_GroupAdd", "a_GroupEdit", "a_GroupDelete"})
        if (QAction* a = window.action(name)) {
            a->setVisible(false);  // hidden, its shortcut goes too
            // A double click on a worker or a group triggers the action itself.
            QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
        }
    subscription_ = doc.subscribe([this](const change_notice&) { followWard(); });
    followWard();
    window.refreshCaption();
    window.refreshWards();
    return {};
}

void StoreMonth::followWard() {
    const int group = shownGroupId();
    if (mark_ && group == markedGroup_) return;
    if (mark_) (void)unmark_editing(db_, *mark_);
    mark_.reset();
    if (result<long long> m = mark_editing(db_, monthWord(), group); m) {
        mark_ = *m;
        markedGroup_ = group;
    }
    lookForNotifications();
}

result<> StoreMonth::reload(bool versionsToo) {
    result<ward_month> found = read_ward_month(db_, year_, month_);
    if (!found) return found.error();
    if (versionsToo) {
        read_ = std::move(*found);
    } else {
        // The staff stay as the session read them: a change of a worker's
        // line is judged by the version its line was read with.
        read_->read = std::move(found->read);
        read_->bytes = std::move(found->bytes);
    }
    months_request request;
    request.wholeFilesOnly = true;
    request.group = word(shownGroupId());
    if (result<std::vector<std::string>> opened = open_held_month(*doc_, read_->read.name, read_->bytes, request);
        !opened)
        return opened.error();
    ++reloads_;
    return {};
}

result<> StoreMonth::save() {
    const int group = shownGroupId();
    result<> saved = save_held_month(*doc_, [&](const Plan& plan) -> result<> {
        const result<save_outcome> done = save_month(db_, read_->read, changes_of(plan, *read_, group, "window-save"));
        if (!done) return done.error();
        return {};
    });
    lookForNotifications();
    if (!saved) return saved;
    // The month as the store holds it now: this save's rows with their new
    // versions, and whatever the other planners added meanwhile.
    return reload(true);
}

void StoreMonth::saveOrReadAgain() {
    const result<> saved = save();
    tell_user(doc_->interaction(), saved);
    if (saved || saved.error().kind != refusal_kind::Conflict) return;
    // Her edits met another planner's on the same rows: they cannot be
    // saved over those, so the way on is the month as it is now.
    const std::string question = doc_->plan().tr.msg(
        "msg_DbReadMonthAgain", "Wczytać miesiąc z bazy danych od nowa? Niezapisane zmiany zostaną utracone.");
    if (doc_->interaction().ask(question, Buttons::YesNo) != Answer::Yes) return;
    tell_user(doc_->interaction(), reload(true));
}

bool StoreMonth::mayClose() {
    if (!doc_ || !doc_->modified()) return true;
    const Answer a = doc_->interaction().ask(
        doc_->plan().tr.msg("msg_DbSaveBeforeClose", "Zapisać zmiany miesiąca w bazie danych?"), Buttons::YesNoCancel);
    if (a == Answer::Cancel) return false;
    if (a == Answer::No) return true;
    const result<> saved = save();
    tell_user(doc_->interaction(), saved);
    return saved.ok();
}

void StoreMonth::takeNotifications() {
    // A question or dialog of an act is open: the act is not over yet, and
    // the month is not read again under it.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(200, this, &StoreMonth::takeNotifications);
        return;
    }
    const Plan& plan = doc_->plan();
    const result<std::vector<pg_connection::notification>> got = db_.notifications(0);
    if (!got) {
        notice_->setText(qs(got.error().text));
        notice_->show();
        socket_->setEnabled(false);  // the connection is gone; a closed socket would wake the loop forever
        return;
    }
    std::optional<month_change> last;
    for (const pg_connection::notification& n : *got) {
        if (n.pid == db_.server_pid()) continue;  // this window's own save
        std::optional<month_change> m = parse_change(n.payload);
        if (m && m->month == monthWord()) last = std::move(m);
    }
    if (!last) return;
    const int g = plan.groupIndexById(word(last->group));
    const std::string ward = g >= 0 ? plan.groups[size_t(g)].name
                                    : plan.tr.tr("f_MainForm", "l_StoreWholeMonth", "cały miesiąc");
    const std::string who = last->user + "@" + last->computer;
    std::string line;
    if (doc_->modified()) {
        line = fill_message(plan.tr.tr("f_MainForm", "l_StoreSavedKept",
                                       "%s zapisał(a) oddział %s; Twoje niezapisane zmiany zostają, zapis połączy je "
                                       "z cudzymi"),
                            {who, ward});
    } else if (result<> r = reload(false); !r) {
        line = r.error().text;
    } else {
        lookForNotifications();
        line = fill_message(plan.tr.tr("f_MainForm", "l_StoreSavedShown", "%s zapisał(a) oddział %s; pokazano zmiany"),
                            {who, ward});
    }
    notice_->setText(qs(line));
    notice_->show();
    window_->refreshWards();
    emit changeShown();
}

// libpq takes in the notifications that arrive while a statement runs and
// keeps them: the socket then has nothing more to say, so whoever ran one
// looks at what came with it once the event loop is back.
void StoreMonth::lookForNotifications() {
    if (socket_) QTimer::singleShot(0, this, &StoreMonth::takeNotifications);
}

std::map<int, QString> StoreMonth::editors() {
    std::map<int, QString> out;
    if (!doc_) return out;
    const result<std::vector<editing_entry>> found = who_edits(db_, monthWord());
    lookForNotifications();
    if (!found) return out;
    for (const editing_entry& e : *found) {
        if (mark_ && e.mark == *mark_) continue;
        const int g = doc_->plan().groupIndexById(word(e.group));
        if (g < 0) continue;
        QString& who = out[g];
        const QString name = qs(e.user + "@" + e.computer);
        if (!who.split(", ").contains(name)) who += (who.isEmpty() ? "" : ", ") + name;
    }
    return out;
}

}  // namespace planek::ui
