#pragma once
// The worker and group acts. Each writes the staff and group files at once
// when they changed, so a crash cannot part a worker from her duties, which
// the autosave keeps.
#include "core/result.h"
#include "document/roster_document.h"
#include "editing/group_model.h"

namespace planek {

// Stores a worker's record: index -1 adds her (after the question about a
// worker of the same name), else it replaces the worker at index. Gives her
// index; she becomes the chosen worker.
result<int> save_worker(roster_document& doc, const prac& record, int index);
// Archives the worker after the question; restores an archived one.
result<> archive_worker(roster_document& doc, int worker);
result<> restore_worker(roster_document& doc, int worker);
// The worker list's drag: the worker at index `from` goes to index `to`.
result<> move_worker(roster_document& doc, int from, int to);

// Stores a group: index -1 adds it, else it replaces the group at index
// (keeping its month settings). Gives its index; it becomes the group shown.
result<int> save_group(roster_document& doc, const grupa& record, int index);
// The group dialog's "Zapisz jako domyślne": the norm defaults of the group
// shown, at once (cancelling the dialog keeps them).
result<> save_group_defaults(roster_document& doc, const group_norm_defaults& defaults);
// The group dialog's "Resetuj ustawienia początkowe" of the group shown.
result<> reset_pattern_starts(roster_document& doc);
// Archives the group after the question; its workers leave it.
result<> delete_group(roster_document& doc, int group);
// The group list's drag.
result<> move_group(roster_document& doc, int from, int to);

// "Kadra i grupy z kopii": the staff and group files swapped with their
// ".bak" copies after the tables were written; the program then closes
// without writing the staff again, so the next start reads the copies.
// Refused when the user kept the files (or there are no copies).
result<> restore_staff_copy(roster_document& doc);

}  // namespace planek
