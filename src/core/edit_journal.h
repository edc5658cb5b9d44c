#pragma once
// The routines that change the open month tell the plan's journal before
// they change it, so a history of edits can keep what was there. The plan
// holds at most one; without one the routines change the month untold.
namespace planek {

struct Plan;

class edit_journal {
public:
    virtual ~edit_journal() = default;
    // A worker's entry of the open month, or her balances, is about to change.
    virtual void workerTouched(const Plan& plan, int worker) = 0;
    // The open month is about to be emptied or replaced as a whole.
    virtual void monthReplaced(const Plan& plan) = 0;
};

void note_worker_edit(const Plan& plan, int worker);
void note_month_replaced(const Plan& plan);

}  // namespace planek
