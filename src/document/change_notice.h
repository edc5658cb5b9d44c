#pragma once
// What an act of the document changed, said once at its end to every view
// that subscribed: a view shows again what the notice names and nothing
// else, and never has to guess from the act what that was.
namespace planek {

enum class change : unsigned {
    none = 0,
    entries = 1u << 0,  // duties and days off of the shown month, and the sums they give
    workers = 1u << 1,  // worker records (names, groups, archived, balances) or who is listed
    groups = 1u << 2,   // the groups and their shifts
    days = 1u << 3,     // the day parameters, the calendar and the norm of the shown month
    month = 1u << 4,    // another month, period or project is shown (opened, new, a tab, the parameters)
    options = 1u << 5,  // the options, duty-as categories and symbols; the language
    file = 1u << 6,     // the file behind the month or whether it is modified
    view = 1u << 7,     // what the user looks at: shown group and worker, filters, selected cell
    history = 1u << 8,  // the undo history: a step was kept, taken back or forth, forgotten
};

constexpr unsigned operator|(change a, change b) { return unsigned(a) | unsigned(b); }
constexpr unsigned operator|(unsigned a, change b) { return a | unsigned(b); }

// Everything a view shows of the plan: what an act that may change any of it
// (a month opened, undo of a worker's step) announces.
inline constexpr unsigned kEverything = change::entries | change::workers | change::groups | change::days |
                                        change::month | change::options | change::file | change::view |
                                        change::history;

struct change_notice {
    unsigned what = 0;
    int worker = -1;  // the one worker whose entries an edit changed, -1 for several or none

    bool has(change c) const { return (what & unsigned(c)) != 0; }
    // Whether the lists (groups, workers) are to be shown anew, not only the month.
    bool listsChanged() const {
        return (what & (change::workers | change::groups | change::month | change::options)) != 0;
    }
};

}  // namespace planek
