#include "files/undo_files.h"

#include "editing/undo_stack.h"

namespace planek {

bool take_undo_step(Plan& plan, bool forth) {
    undo_stack& history = undo_history(plan);
    return forth ? history.redo(plan) : history.undo(plan);
}

}  // namespace planek
