#pragma once
// The worker dialog ("Dodaj/Edytuj pracownika") without its widgets, and the
// routines behind the worker actions: add or store (dodaj_pracow), archive,
// restore, e-mail.
#include <array>
#include <string>
#include <vector>

#include "core/plan.h"
#include "editing/refusal.h"

namespace planek {

// "Nie rozpisuj", eight-hour duties, cyclic pattern.
enum class auto_mode { Without = 0, Eight = 1, Pattern = 2 };

// Every control of the dialog, as texts and switches.
struct worker_form {
    // "&Dane"
    std::string surname, firstName, nick, occupation;
    colour color = 0xFFFFFF;
    bool old = false;
    // "&Grupa": one box per listed group (worker_dialog_model::groupIndexes)
    std::vector<bool> groupChecks;
    // "&Adres"
    std::string address, postOffice, zipCode, phone, email;
    // "D&odatkowe"
    std::string pesel, education, courses, user1, user2, user3;
    int employmentFrom = 0;
    // "&Urlopy"
    std::string currentYearHoliday = "197:10";
    std::string lastYearHoliday = "000:00";
    int careDaysMode = 0;  // 0 days, 1 hours
    int careDays = 0;      // 0..2
    std::string careHours = "000:00";
    int rehaDays = 0;  // 0..20
    // "&Czas pracy"
    std::string partTime = "100";
    bool ownNorm = false;
    bool ownNormCalculated = false;
    std::string ownNormText = "000:00";
    std::string lastMonthHours = "000:00";  // me_LastMonthHours
    int overtimeFromPrevious = 0;           // l_LastMonthAutoHours, minutes
    // Hidden defaults kept between uses.
    std::string partTimeDefault = "100";
    int ownNormValueDefault = 0;
    bool ownNormDefault = false;
    bool ownNormCalculatedDefault = false;
    // "A&utomat"
    auto_mode mode = auto_mode::Without;
    std::string pattern8 = "1";
    int startFrom8 = 1;
    bool auto8ConstStart = false;
    std::string pattern = "1200";
    int startFrom = 1;
    bool autoConstStart = false;
    bool asWeek = false;
    std::array<bool, 7> automatDays{true, true, true, true, true, false, false};
    bool automatFromHourOn = false;
    std::string automatFromHour = "0:00";
    int prefDayNight = 3;
    int prefNormalHoliday = 3;
};

// 120 + 0..134 for each of red, green and blue.
colour random_light_colour(Random& random);

struct worker_dialog_model {
    int editIndex = -1;  // -1 while adding
    word editId = 0;
    worker_form f;
    std::vector<int> groupIndexes;  // the groups listed, indexes into plan.groups

    // Resets the dialog for a new worker; refused (NoGroup) when there is no
    // group, and the caller starts adding a group instead. "Stored" here
    // means the dialog is ready.
    result<> openAdd(const Plan& plan, Random& random);
    result<> openAdd(Plan& plan) { return openAdd(plan, plan.random); }
    // Fills the dialog from a worker; refused (NoGroup, NoWorker) when there
    // is nothing to edit.
    result<> openEdit(const Plan& plan, int worker);
    bool adding() const { return editIndex < 0; }

    std::vector<std::string> groupNames(const Plan& plan) const;
    std::string idText(const Plan& plan) const;  // "id: %d"
    // Occupation or education suggestions, ending with the customise entry.
    static std::vector<std::string> occupations(const Plan& plan);
    static std::vector<std::string> educations(const Plan& plan);
    static std::string customizeEntry(const Plan& plan);
    static std::vector<std::string> employmentForms(const Plan& plan);
    // The day/night slider only means something with more than one shift.
    static bool dayNightEnabled(const Plan& plan);

    // Leaving a name field while adding: initials into an empty short name.
    void fillInitials();
    // Pattern keys: digits 0 up to the shift count of the current group.
    static bool patternKeyAccepted(const Plan& plan, char key);
    // Start spin limits of a pattern, and the value clamped into them.
    static int startMax(const std::string& pattern);
    static int startMax8(const std::string& pattern8);
    void patternChanged();
    void pattern8Changed();
    std::string defaultPartTimeLabel() const;  // "%f%s" with "%"
    std::string defaultNormLabel() const;      // "%s h"
    void saveAsDefault();

    // Why OK cannot store the form (a bad time, an unencodable character,
    // an empty name), or empty.
    std::string problem(const Plan& plan) const;
    // The record OK stores (the current month entry included).
    prac build(const Plan& plan) const;
    // The form as the record an act stores: refused (FormInvalid) with the
    // problem, when there is one.
    result<prac> record(const Plan& plan) const;
    // OK: stored when the dialog may close. A refused form returns its
    // problem (FormInvalid); a duplicate the user did not confirm leaves
    // everything as it was and has nothing more to say.
    result<> ok(Plan& plan);
    int storedIndex = -1;  // after ok: where the worker went
    bool nickChanged = false;
};

// Stores a worker: check asks about a worker of the same name when adding;
// id 0 adds (the record's own id is kept), otherwise replaces the worker at
// index. False when the question was not answered Yes.
bool dodaj_pracow(Plan& plan, const prac& record, bool check, word id, int index);

// Archives a worker after the question; not stored when nothing was done,
// with the refusal when there was no worker to archive.
result<> usun_pracownika(Plan& plan, int worker);
void przywroc_pracownika(Plan& plan, int worker);
// "mailto:" and the address, or empty when it holds no "@".
std::string mailto_link(const prac& worker);

}  // namespace planek
