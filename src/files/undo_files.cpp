#include "files/undo_files.h"

#include "editing/undo_stack.h"
#include "files/staff_group_files.h"

namespace planek {

bool take_undo_step(Plan& plan, bool forth) {
    undo_stack& history = undo_history(plan);
    if (!(forth ? history.redo(plan) : history.undo(plan))) return false;
    // Checked after every step, not only after those that changed records:
    // a step of duties alone may lead back to the saved state while a step
    // undone before it still parts the tables from the files.
    if (staff_files_behind(plan)) set_modified(plan, true);
    return true;
}

}  // namespace planek
