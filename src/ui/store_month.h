#pragma once
// The window's month kept on the hospital's server: the ward's session and
// month built from the store's rows as `planek-cli db act` builds them, the
// month's saves one transaction each through the store, and the other
// planners seen as they work. The connection's socket is watched by the
// event loop, so another planner's committed save of the month is shown as
// soon as the server announces it: read again when this window has no
// unsaved edits (the undo history starts anew then), else only told in the
// status line while the edits stay, to be merged row by row by their save.
// While the window holds the month, the ward shown is marked as edited by
// this planner, the mark tied to the connection so a window that died is
// not listed.
#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/plan.h"
#include "core/result.h"
#include "document/roster_document.h"
#include "store/pg_connection.h"
#include "store/ward_month.h"

class QLabel;
class QSocketNotifier;

namespace planek::ui {

class MainWindow;

class StoreMonth : public QObject {
    Q_OBJECT
public:
    StoreMonth(store::pg_connection db, int year, int month);
    ~StoreMonth() override;

    // "2027-03": the month as the store and its planners name it.
    static std::optional<std::pair<int, int>> parse_month(const std::string& word);
    std::string monthWord() const;

    // The month and its ward read from one snapshot, and the session they
    // make (its language `language`, else the configuration's), to make the
    // window's document of. Nothing on disk is read but the language file.
    result<Plan> readSession(std::shared_ptr<Interaction> ui, const std::optional<std::string>& language,
                             const std::filesystem::path& languageFolder);
    // The month read opened in the document, its ward marked as edited, the
    // server listened to, and the window's save, title and ward list bound
    // to the store.
    result<> open(roster_document& doc, MainWindow& window);

    // The window's Save: one transaction of what changed since the read; a
    // row another planner changed first is put to the user with the edits
    // kept. After a save the month is read again, others' rows with it.
    result<> save();
    // Save as the user asked for it: the refusal told, and after a row
    // another planner changed first, the offer to read the month anew.
    void saveOrReadAgain();
    // Whether the window may close: unsaved edits are saved to the store,
    // dropped or kept open as the user answers.
    bool mayClose();
    // The server's notifications taken and acted on (the socket's notifier
    // calls it when there is something to read).
    void takeNotifications();

    // Who else edits which ward of the month (group index -> "user@computer").
    std::map<int, QString> editors();
    // The line of the status bar that tells what other planners saved.
    QLabel* notice() const { return notice_; }
    // How many times another planner's save was read into the window.
    int reloads() const { return reloads_; }

signals:
    // Another planner's save was shown (read again, or told with the edits kept).
    void changeShown();

private:
    // The month read again; `versionsToo` the workers' versions and the
    // worked Sundays as well (after this window's own save, or to start anew).
    result<> reload(bool versionsToo);
    void followWard();
    void lookForNotifications();
    int shownGroupId() const;

    store::pg_connection db_;
    int year_ = 0, month_ = 0;
    std::optional<store::ward_month> read_;
    roster_document* doc_ = nullptr;
    MainWindow* window_ = nullptr;
    QSocketNotifier* socket_ = nullptr;
    QLabel* notice_ = nullptr;
    int subscription_ = 0;
    std::optional<long long> mark_;
    int markedGroup_ = -1;
    int reloads_ = 0;
};

}  // namespace planek::ui
