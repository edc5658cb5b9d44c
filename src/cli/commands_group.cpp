// planek-cli group: a group (ward) with its options, shift table and
// staffing targets, through the group form and the acts the window's group
// dialog uses.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "core/text.h"
#include "document/act_group.h"
#include "document/option_acts.h"
#include "document/staff_acts.h"
#include "document/view_acts.h"
#include "editing/group_model.h"
#include "editing/refusal.h"

namespace planek::cli {

namespace {

// The table's columns as the dialog numbers them (0 is the row number).
enum column { Start = 1, Length, Symbol, Colour, Name, Staff, StaffHoliday };

// One step on the shift table, in the order the options came: the table
// is edited as the user clicks through it, so a row number means the row
// after the steps before it.
struct shift_step {
    enum kind { Select, Append, Insert, Remove, Cell } what = Select;
    int row = 0;       // 1-based, for Select, Insert and Remove
    int column = 0;    // for Cell
    std::string text;  // for Cell
};

struct group_changes {
    std::optional<std::string> name, nick, day8, norm;
    std::optional<colour> color;
    std::optional<bool> saturdayHoliday, dayOffForSaturdayHoliday, nightOnHolidayAsHoliday, noHolidays;
    std::optional<bool> resetBefore, residue, dayOffForHolidayWork, chain;
    std::optional<int> algorithm, aim;
    bool saveAsDefault = false, resetPatternStarts = false;
    std::vector<shift_step> shifts;
    bool rowChosen = false;  // a cell option needs a row before it
};

std::optional<colour> user_colour(const std::string& v) {
    // #RRGGBB as a user writes it, or a colour as the files keep it.
    if (v.size() == 7 && v[0] == '#') return parse_colour("$00" + v.substr(5, 2) + v.substr(3, 2) + v.substr(1, 2));
    return parse_colour(v);
}

bool yes_no(const std::string& option, const std::string& v) {
    if (v == "yes") return true;
    if (v == "no") return false;
    throw usage_error("cli_GroupYesNo", "%s przyjmuje yes albo no, nie „%s”", {option, v});
}

int row_number(const std::string& v) {
    const auto n = parse_int(v);
    if (!n || *n < 1 || *n > kMaxShifts)
        throw usage_error("cli_GroupBadShiftNo", "numer zmiany to liczba od 1 do %s, nie „%s”",
                          {std::to_string(kMaxShifts), v});
    return int(*n);
}

arg_parser form_options(group_changes& g) {
    auto text = [](std::optional<std::string>& target) {
        return [&target](const std::string& v) { target = v; };
    };
    auto box = [](std::optional<bool>& target, const char* option) {
        return [&target, option](const std::string& v) { target = yes_no(option, v); };
    };
    auto step = [&g](shift_step::kind k) {
        return [&g, k](const std::string& v) {
            g.shifts.push_back({k, row_number(v), 0, {}});
            g.rowChosen = k != shift_step::Remove;
        };
    };
    auto cell = [&g](int column) {
        return [&g, column](const std::string& v) {
            if (!g.rowChosen)
                throw usage_error("cli_GroupNoShiftChosen",
                                  "najpierw wskaż zmianę: --shift N, --add-shift albo --insert-shift N");
            g.shifts.push_back({shift_step::Cell, 0, column, v});
        };
    };
    arg_parser p;
    p.value("--name", text(g.name))
        .value("--nick", text(g.nick))
        .value("--colour",
               [&g](const std::string& v) {
                   g.color = user_colour(v);
                   if (!g.color) throw usage_error("cli_GroupBadColour", "niepoprawny kolor „%s” (np. #FFE0C0)", {v});
               })
        .value("--daily-norm", text(g.day8))
        .value("--norm", text(g.norm))
        .value("--saturday-holiday", box(g.saturdayHoliday, "--saturday-holiday"))
        .value("--saturday-day-off", box(g.dayOffForSaturdayHoliday, "--saturday-day-off"))
        .value("--night-holiday", box(g.nightOnHolidayAsHoliday, "--night-holiday"))
        .value("--no-holidays", box(g.noHolidays, "--no-holidays"))
        .flag("--save-as-default", g.saveAsDefault)
        .value("--reset-before", box(g.resetBefore, "--reset-before"))
        .value("--residue", box(g.residue, "--residue"))
        .value("--holiday-days-off", box(g.dayOffForHolidayWork, "--holiday-days-off"))
        .value("--algorithm",
               [&g](const std::string& v) {
                   if (v != "1" && v != "2")
                       throw usage_error("cli_GroupBadAlgorithm", "--algorithm przyjmuje 1 albo 2, nie „%s”", {v});
                   g.algorithm = v == "2" ? 1 : 0;
               })
        .value("--aim",
               [&g](const std::string& v) {
                   if (v != "rules" && v != "norm")
                       throw usage_error("cli_GroupBadAim", "--aim przyjmuje rules albo norm, nie „%s”", {v});
                   g.aim = v == "norm" ? 1 : 0;
               })
        .flag("--reset-pattern-starts", g.resetPatternStarts)
        .value("--chain", box(g.chain, "--chain"))
        .value("--shift", step(shift_step::Select))
        .flag("--add-shift",
              [&g] {
                  g.shifts.push_back({shift_step::Append, 0, 0, {}});
                  g.rowChosen = true;
              })
        .value("--insert-shift", step(shift_step::Insert))
        .value("--remove-shift", step(shift_step::Remove))
        .value("--start", cell(Start))
        .value("--length", cell(Length))
        .value("--symbol", cell(Symbol))
        .value("--shift-colour", cell(Colour))
        .value("--shift-name", cell(Name))
        .value("--staff", cell(Staff))
        .value("--staff-holiday", cell(StaffHoliday));
    return p;
}

std::string& cell_text(shift_row& r, int column) {
    switch (column) {
        case Start: return r.start;
        case Length: return r.length;
        case Symbol: return r.symbol;
        case Colour: return r.color;
        case Name: return r.name;
        case Staff: return r.staff;
        default: return r.staffS;
    }
}

// The table edited as the dialog lets a user edit it: a cell takes only the
// characters the dialog's cell takes, a time that is none is refused when
// the cell is left, and each edit is normalised (and chained) as there.
bool edit_shifts(context& c, group_dialog_model& m, const group_changes& g) {
    int row = -1;  // 0-based, the row the cell options go to
    auto fail = [&c](const std::string& said) {
        c.err << said << "\n";
        return false;
    };
    auto no_row = [&](int n) {
        return fail(say(c.plan, "cli_GroupNoShift", "Grupa nie ma zmiany nr %s (ma %s)",
                        {std::to_string(n), std::to_string(m.rows.size())}));
    };
    auto too_many = [&] {
        return fail(say(c.plan, "cli_GroupShiftsFull", "Grupa może mieć najwyżej %s zmiany",
                        {std::to_string(kMaxShifts)}));
    };
    for (const shift_step& s : g.shifts) {
        switch (s.what) {
            case shift_step::Select:
                if (s.row > int(m.rows.size())) return no_row(s.row);
                row = s.row - 1;
                break;
            case shift_step::Append:
                if (!m.append()) return too_many();
                row = int(m.rows.size()) - 1;
                break;
            case shift_step::Insert:
                if (s.row > int(m.rows.size()) + 1) return no_row(s.row);
                if (!m.insertBefore(s.row - 1)) return too_many();
                row = s.row - 1;
                break;
            case shift_step::Remove:
                if (s.row > int(m.rows.size())) return no_row(s.row);
                if (!m.canDelete())
                    return fail(say(c.plan, "cli_GroupLastShift", "Grupa musi mieć przynajmniej jedną zmianę"));
                if (!m.deleteRow(c.plan, s.row - 1))
                    return fail(say(c.plan, "cli_GroupShiftKept", "Nie usunięto zmiany %s (zob. --yes)",
                                    {std::to_string(s.row)}));
                row = -1;
                break;
            case shift_step::Cell: {
                if (row < 0) return false;  // the parser asks for a row before a cell
                std::string typed = s.text;
                if (s.column == Colour) {
                    const std::optional<colour> col = user_colour(typed);
                    if (!col)
                        return fail(say(c.plan, "cli_GroupBadShiftColour", "Zmiana nr %s: niepoprawny kolor „%s”",
                                        {std::to_string(row + 1), typed}));
                    typed = colour_text(*col);
                } else {
                    std::string kept;
                    for (char key : typed) {
                        if (!group_dialog_model::keyAccepted(s.column, kept, key))
                            return fail(say(c.plan, "cli_GroupBadCell", "Zmiana nr %s: „%s” nie pasuje do tej kolumny",
                                            {std::to_string(row + 1), s.text}));
                        kept += key;
                    }
                    typed = kept;
                }
                if (const std::string why = group_dialog_model::cellProblem(c.plan, row, s.column, typed); !why.empty())
                    return fail(why);
                cell_text(m.rows[size_t(row)], s.column) = typed;
                m.cellEdited(row, s.column);
                break;
            }
        }
    }
    return true;
}

void fill_form(group_dialog_model& m, const group_changes& g) {
    if (g.name) m.name = *g.name;
    if (g.nick) m.nick = *g.nick;
    if (g.color) m.color = *g.color;
    if (g.day8) m.day8 = *g.day8;
    if (g.norm) {
        m.customNorm = *g.norm != "none";
        if (m.customNorm) m.normText = *g.norm;
    }
    if (g.saturdayHoliday) m.saturdayHoliday = *g.saturdayHoliday;
    if (g.dayOffForSaturdayHoliday) m.dayOffForSaturdayHoliday = *g.dayOffForSaturdayHoliday;
    if (g.nightOnHolidayAsHoliday) m.nightOnHolidayAsHoliday = *g.nightOnHolidayAsHoliday;
    if (g.noHolidays) m.noHolidays = *g.noHolidays;
    if (g.resetBefore) m.resetBeforeAutomat = *g.resetBefore;
    if (g.residue) m.residueBox = *g.residue;
    if (g.dayOffForHolidayWork) m.dayOffForHolidayWork = *g.dayOffForHolidayWork;
    if (g.algorithm) m.algorithm = *g.algorithm;
    if (g.aim) m.aim = *g.aim;
}

int store(context& c, group_dialog_model& m, const group_changes& g) {
    // The dialog's visit is one step of the history, as in the window.
    const bool adding = m.adding();
    act_group visit(c.doc, adding ? "undo_GroupAdd" : "undo_GroupEdit", adding ? "Dodaj grupę" : "Edytuj grupę");
    m.storedIndex = -1;
    m.autoCalc = c.plan.options.glowne.AutoCalcShifts;
    if (g.chain) {
        m.autoCalc = *g.chain;
        [[maybe_unused]] const result<> kept = set_auto_calc_shifts(c.doc, *g.chain);
    }
    fill_form(m, g);
    // What the dialog says under the field while it holds more than is kept.
    if (g.nick)
        if (const std::string notice = group_dialog_model::nickNotice(c.plan, *g.nick); !notice.empty())
            c.err << notice << "\n";
    if (!edit_shifts(c, m, g)) return kExitFailure;
    // The two buttons of the dialog that act at once, before its OK.
    if (g.saveAsDefault) {
        const result<> saved = save_group_defaults(c.doc, m.defaults());
        tell_user(*c.ui, saved);
        if (!saved) return kExitFailure;
    }
    if (g.resetPatternStarts) {
        const result<> reset = reset_pattern_starts(c.doc);
        tell_user(*c.ui, reset);
        if (!reset) return kExitFailure;
    }
    const result<grupa> record = m.record(c.plan);
    if (!record) {
        tell_user(*c.ui, record);
        return kExitFailure;
    }
    const result<int> stored = save_group(c.doc, *record, m.editIndex);
    tell_user(*c.ui, stored);
    if (!stored) return kExitFailure;
    m.storedIndex = *stored;
    visit.end();
    const grupa& s = c.plan.groups[size_t(*stored)];
    c.out << (adding ? say(c.plan, "cli_GroupAdded", "Dodano grupę %s: %s", {std::to_string(s.id), s.name})
                     : say(c.plan, "cli_GroupSaved", "Zapisano grupę %s: %s", {std::to_string(s.id), s.name}))
          << "\n";
    return kExitOk;
}

int group_add(context& c, const std::vector<std::string>& args) {
    group_changes g;
    form_options(g).words(0).parse(args);
    if (!g.name) throw usage_error("cli_GroupNeedsName", "nowa grupa wymaga --name");
    // Both act on the group shown, which a group being added is not yet.
    if (g.saveAsDefault || g.resetPatternStarts)
        throw usage_error("cli_GroupEditOnly", "--save-as-default i --reset-pattern-starts są tylko dla edit");
    if (!c.load_staff()) return kExitFailure;
    group_dialog_model m;
    m.openAdd(c.plan, c.doc.random());
    return store(c, m, g);
}

int group_edit(context& c, const std::vector<std::string>& args) {
    group_changes g;
    const std::vector<std::string> words = form_options(g).words(1).parse(args);
    if (words.empty()) throw usage_error("cli_GroupNeedsId", "podaj identyfikator grupy");
    const word id = id_word(words[0], "grupy");
    if (!c.load_staff()) return kExitFailure;
    int index = -1;
    for (size_t i = 0; i < c.plan.groups.size(); ++i)
        if (c.plan.groups[i].id == id && !c.plan.groups[i].old) index = int(i);
    if (index < 0) {
        c.err << say(c.plan, "cli_NoGroup", "Nie ma grupy %s", {std::to_string(id)}) << "\n";
        return kExitFailure;
    }
    // The dialog edits the group shown: the group list's choice first.
    const result<> shown = show_group(c.doc, index);
    tell_user(*c.ui, shown);
    if (!shown) return kExitFailure;
    group_dialog_model m;
    const result<> opened = m.openEdit(c.plan);
    if (!opened) {
        tell_user(*c.ui, opened);
        return kExitFailure;
    }
    return store(c, m, g);
}

int group(context& c) {
    if (c.args.empty()) throw usage_error("cli_GroupNeedsAction", "podaj, co zrobić: add albo edit");
    const std::string action = c.args[0];
    const std::vector<std::string> rest(c.args.begin() + 1, c.args.end());
    if (action == "add") return group_add(c, rest);
    if (action == "edit") return group_edit(c, rest);
    throw unknown_action(c, action, {"add", "edit"}, "cli_GroupNeedsAction", "podaj, co zrobić: add albo edit");
}

}  // namespace

std::vector<command> group_commands() {
    return {{"group", "add --name NAZWA [POLA] | edit ID [POLA]",
             "dodaje albo zmienia grupę; POLA: --nick --colour --daily-norm --norm --saturday-holiday "
             "--saturday-day-off --night-holiday --no-holidays --save-as-default --reset-before --residue "
             "--holiday-days-off --algorithm --aim --reset-pattern-starts --chain, zmiany: --shift --add-shift "
             "--insert-shift --remove-shift, a po nich --start --length --symbol --shift-colour --shift-name --staff "
             "--staff-holiday",
             group}};
}

}  // namespace planek::cli
