#include "editing/editing_hooks.h"

namespace planek {

editing_hooks& hooks() {
    static editing_hooks h;
    return h;
}

void refresh_worker(Plan& plan, int worker) {
    if (hooks().refreshWorker) hooks().refreshWorker(plan, worker);
}

void recount_staffing(Plan& plan) {
    if (hooks().recountStaffing) hooks().recountStaffing(plan);
}

}  // namespace planek
