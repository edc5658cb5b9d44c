#pragma once
#include <string>

namespace planek {

struct Plan;

// What the parameters dialog hands over on OK.
struct plan_parameters {
    int year = 0;
    int month = 0;
    bool weekMode = false;
    int weekModeFrom = 1;
    int weekModeCount = 15;
    int approvedStatus = 0;  // 1 = "zatwierdzony"
    int planType = 0;        // 1 = "zrealizowany"
};

enum class ParametersOutcome {
    Unchanged,     // status and type applied, nothing else
    WeekLayout,    // the plan is now laid out in weeks
    MonthChanged,  // a new month is shown
    Cancelled,     // the user kept the old month
};

// The parameters dialog's OK: applies status and type, then a change of
// mode, weeks or month. A new month with duties or days off asks
// msg_DutiesMove: Yes keeps them on the same day numbers, No clears them,
// Cancel keeps the old month. The caller refreshes tabs, views and caption.
ParametersOutcome zmien_parametry(Plan& plan, const plan_parameters& p);

// The plan's status and type by the names the parameters dialog lists in
// the chosen language ("niezatwierdzony"/"zatwierdzony",
// "planowany"/"zrealizowany"), so a printout speaks the window's language.
std::string status_name(const Plan& plan, int approvedStatus);
std::string plan_type_name(const Plan& plan, int planType);

// Whether any worker has a duty or day off in the shown period month, or
// an orphan entry exists.
bool ma_dyzury_lub_wolne(const Plan& plan);

// The most characters of a day note.
constexpr int kMaxNoteLength = 255;
// The note cut to kMaxNoteLength characters.
std::string przytnij_notatke(const std::string& note);
// The label above the note memo: characters still free.
std::string l_notes_caption(const Plan& plan, const std::string& note);

// Toggle the own-calendar override ("Święto") or the emergency-admission
// duty ("Ostry dyżur") of a day index of the shown month, then recompute
// the norm and the selected worker's summary. False when there is no such day.
bool a_MarkAsHoliday(Plan& plan, int dayIndex);
bool a_ERDuty(Plan& plan, int dayIndex);

// The day-properties dialog: what it shows, its OK, and its button that
// restores the built-in holiday status.
struct day_properties {
    std::string note;
    bool erDuty = false;
    bool ownHoliday = false;  // enables "Przywróć domyślne ustawienia święta"
};
day_properties wlasciwosci_dnia(const Plan& plan, int dayIndex);
bool zapisz_wlasciwosci_dnia(Plan& plan, int dayIndex, const std::string& note, bool erDuty);
bool przywroc_domyslne_swieto(Plan& plan, int dayIndex);

}  // namespace planek
