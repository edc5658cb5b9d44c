#pragma once
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/types.h"
#include "files/file_problems.h"

namespace planek {

// Ids are the keys month files use; 0 means none. A record read with id 0,
// or with an id an earlier record already holds, gets the next free id (the
// first holder keeps it, so month files keep pointing at the same record),
// and the change is reported. `where` names each record's place in its file.
template <class R, class Name>
void mend_ids(std::vector<R>& records, const std::vector<std::string>& where, Name name_of,
              file_problems& problems) {
    unsigned highest = 0;
    for (const R& r : records) highest = std::max<unsigned>(highest, r.id);
    std::set<word> seen;
    for (size_t i = 0; i < records.size(); ++i) {
        R& r = records[i];
        if (r.id != 0 && seen.insert(r.id).second) continue;
        if (highest >= 0xFFFF) {
            problems.add_text(where[i] + fill_text(problems.tr.msg("msg_NoFreeId", "%s: brak wolnego identyfikatora."),
                                                   {name_of(r)}));
            continue;
        }
        const word fresh = word(++highest);
        if (r.id == 0)
            problems.add_text(where[i] + fill_text(problems.tr.msg("msg_IdZero",
                                                                   "%s nie ma identyfikatora, nadano mu %s."),
                                                   {name_of(r), std::to_string(fresh)}));
        else
            problems.add_text(where[i] + fill_text(problems.tr.msg("msg_IdTaken",
                                                                   "%s ma identyfikator %s, który jest już zajęty; "
                                                                   "nadano mu %s."),
                                                   {name_of(r), std::to_string(r.id), std::to_string(fresh)}));
        r.id = fresh;
        seen.insert(fresh);
    }
}

}  // namespace planek
