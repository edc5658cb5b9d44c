#pragma once
// The group dialog ("Dodaj/Edytuj grupę") and its shift table without the
// widgets, and the routines behind the group actions: store (dodaj_grupe),
// delete, reset of the pattern start positions.
#include <string>
#include <vector>

#include "core/plan.h"
#include "editing/refusal.h"

namespace planek {

// One row of the shift table as the cells show it.
struct shift_row {
    std::string start, length, symbol, color, name, staff, staffS;
};

inline constexpr int kMaxShifts = 4;

// The norm settings "Zapisz jako domyślne" keeps as the group's defaults.
struct group_norm_defaults {
    int dailyNorm = -1;  // minutes; below zero keeps the one there
    bool saturdayHoliday = false;
    bool dayOffForSaturdayHoliday = false;
    bool nightOnHolidayAsHoliday = false;
    bool noHolidays = false;
};

struct group_dialog_model {
    int editIndex = -1;  // -1 while adding
    word editId = 0;
    std::string name, nick;
    colour color = 0xFFFFFF;
    std::vector<shift_row> rows{{"7:00", "12:00", "R", "clWhite", "", "4", "3"},
                                {"19:00", "12:00", "N", "clWhite", "", "1", "1"}};
    bool autoCalc = false;  // tb_AutoCalc
    // "&Normatyw"
    std::string day8 = "07:35";
    bool saturdayHoliday = false;
    bool dayOffForSaturdayHoliday = false;
    bool nightOnHolidayAsHoliday = false;
    bool noHolidays = false;
    bool customNorm = false;
    std::string normText = "000:00";
    // "&Automat"
    bool resetBeforeAutomat = false;
    bool residueBox = true;  // cb_NormaResidueDistribution
    int residueChoice = 0;   // hidden rg_NormaResidueDistribution
    int algorithm = 0;       // hidden rg_Algorithms
    int aim = 0;             // cb_SearchAim: 0 the warnings' rules first, 1 the norm
    bool dayOffForHolidayWork = true;

    // Resets for a new group: empties the names, keeps the first two shift
    // rows and the other pages, picks a light colour.
    void openAdd(const Plan& plan, Random& random);
    void openAdd(Plan& plan) { openAdd(plan, plan.random); }
    // Fills from the current group; refused (NoGroup) when there is none
    // (the caller starts adding instead). "Stored" means the dialog is ready.
    result<> openEdit(const Plan& plan);
    bool adding() const { return editIndex < 0; }
    std::string idText(const Plan& plan) const;

    // The shift table's editing rules.
    bool canInsert() const { return int(rows.size()) < kMaxShifts; }
    bool canDelete() const { return rows.size() > 1; }
    bool append();
    bool insertBefore(int row);
    // Asks "Czy usunąć wybraną zmianę?" first; false when nothing changed.
    bool deleteRow(const Plan& plan, int row);
    // Whether a typed character may enter a cell of this column holding this
    // text; the character may be replaced (",", "." become ":" in times).
    static bool keyAccepted(int column, const std::string& cellText, char& key);
    // Why a text cannot stand in a cell of the start (1) or length (2)
    // column of a row, or empty: a start is a time of the day, a length more
    // than 0:00 and at most 24:00.
    static std::string cellProblem(const Plan& plan, int row, int column, const std::string& text);
    // After a cell was edited: times normalised to h:mm, symbol and colour
    // cut to 2 characters, and the chaining when autoCalc is down (never
    // from a time that cannot be one).
    void cellEdited(int row, int column);
    // The short name cut to what is stored, and whether it had to be cut.
    static std::string storedNick(const std::string& typed);
    // What the nick field says while it holds more than is stored, or empty.
    static std::string nickNotice(const Plan& plan, const std::string& typed);
    void chain();

    // Why OK cannot store the form, or empty.
    std::string problem(const Plan& plan) const;
    grupa build(const Plan& plan) const;
    // The form as the record an act stores: refused (FormInvalid) with the
    // problem, when there is one.
    result<grupa> record(const Plan& plan) const;
    // OK: stores the group; a refused form returns its problem (FormInvalid).
    result<> ok(Plan& plan);
    int storedIndex = -1;

    // "Zapisz jako domyślne": what goes into the current group at once.
    group_norm_defaults defaults() const;
};

// Stores a group: editIndex -1 appends it, else it replaces the current
// group (keeping its per-month settings).
void dodaj_grupe(Plan& plan, const grupa& record, int editIndex);
// Deletes (archives) a group after the question; its workers leave it.
// Refused (NoGroup) when there is no such group.
result<> usun_grupe(Plan& plan, int group);
// "Resetuj ustawienia początkowe"
void resetuj_start_wzorcow(Plan& plan);
// The defaults into the current group; false when there is none.
bool zapisz_domyslne_grupy(Plan& plan, const group_norm_defaults& defaults);

}  // namespace planek
