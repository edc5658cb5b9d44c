#pragma once
// The roster document: the one owner of the plan. Front ends read the plan
// through const access and change it only through the document's acts
// (document/*_acts.h), which keep the undo history, the derived figures, the
// files behind the tables and the modified state as one protocol
// (document/act.h), and tell the subscribed views once per act what changed.
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/plan.h"
#include "document/change_notice.h"
#include "editing/undo_stack.h"

namespace planek {

class act;

class roster_document {
public:
    roster_document();
    // A plan put together elsewhere (a test's ward, a tool's copy) taken
    // over as it is; its journal is replaced by the document's history.
    explicit roster_document(Plan plan);
    ~roster_document();
    roster_document(const roster_document&) = delete;
    roster_document& operator=(const roster_document&) = delete;

    const Plan& plan() const { return plan_; }
    // The plan copied to work on apart from the document (a tool building a
    // ward of its own, a look that needs figures counted its own way): no
    // history, no views.
    Plan copy() const;

    // What the rules use and a front end provides: the interaction they ask
    // their questions through, the hooks of its views, the clock, the random
    // source, the lock policy. None of it is roster state.
    void set_interaction(std::shared_ptr<Interaction> ui) { plan_.ui = std::move(ui); }
    Interaction& interaction() const { return *plan_.ui; }
    plan_hooks& hooks() { return plan_.hooks; }
    void set_clock(std::shared_ptr<Clock> clock) { plan_.clock = std::move(clock); }
    void seed_random(std::uint64_t seed) { plan_.random.seed(seed); }
    // The random source a form draws from (a new worker's or group's colour).
    Random& random() { return plan_.random; }
    void set_lock_policy(lock_policy policy) { plan_.guards.lockPolicy = policy; }
    // A damaged staff archive: asked about, or only looked at (the command line).
    void set_damage_policy(damage_policy policy) { plan_.guards.damagePolicy = policy; }
    // Months opened from now on are opened for this group's part only (one
    // ward's planner among others), or whole.
    void set_lock_group(std::optional<word> group) { plan_.guards.lockedGroup = group; }
    // The window: months are held for the group shown, and the hold moves
    // with it (document/month_acts.h, show_group).
    void set_ward_locks(bool on) { plan_.guards.wardLocks = on; }

    // Whether anything is not on disk as the tables hold it: the month
    // (the history away from where the file stands) or the staff and group
    // files (the tables give other lines than those last read or written).
    bool modified() const { return !history_->atClean() || filesBehind_; }
    const undo_stack& history() const { return *history_; }

    // A view is told once at the end of every act; the id unsubscribes it.
    using listener = std::function<void(const change_notice&)>;
    int subscribe(listener l);
    void unsubscribe(int id);
    // How many notices went out since the document was made.
    std::uint64_t notices() const { return noticesSent_; }

private:
    friend class act;

    void notify(const change_notice& notice);

    Plan plan_;
    std::shared_ptr<undo_stack> history_;
    std::vector<std::pair<int, listener>> listeners_;
    int nextListener_ = 1;
    std::uint64_t noticesSent_ = 0;
    bool filesBehind_ = false;
    act* current_ = nullptr;  // the act running; acts started inside it join it
};

}  // namespace planek
