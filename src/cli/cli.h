#pragma once
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/cli_interaction.h"
#include "core/plan.h"
#include "core/result.h"
#include "document/roster_document.h"

namespace planek::cli {

enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

// Thrown by a command for wrong arguments; main prints it with the usage
// and exits with 2. The text is the [cli] entry under `key` in the run's
// language (the built-in Polish without one), its "%s" filled in order.
struct usage_error : std::runtime_error {
    usage_error(const char* key, const char* polish, std::initializer_list<std::string> args = {});
    // A text already in the session's language.
    explicit usage_error(const std::string& said);
    std::string text(const Translator& tr) const;

    std::string key;
    std::vector<std::string> args;
};

// A month a command works on that no file holds (the hospital's server):
// the bytes its file would hold, opened under `name`, and the save that
// takes the plan's month and staff to where they came from.
struct held_month {
    std::string name;
    std::string bytes;
    std::function<result<>(const Plan&)> save;
};

// What a command runs with: its own arguments (after the command name), the
// global options, the streams and the document it works on. A command reads
// the plan and changes it through the document's acts, as the window does.
struct context {
    std::vector<std::string> args;
    std::optional<std::filesystem::path> root;  // --root DIR
    std::optional<std::string> lang;            // --lang NAME: language of the messages for this run
    std::ostream& out;
    std::ostream& err;
    std::shared_ptr<CliInteraction> ui;
    roster_document doc;
    const Plan& plan;  // the document's

    std::vector<std::string> ignoredOptions;  // of the session start: "file: section.key"
    // The language of the run before the session speaks its own.
    Translator runLanguage;
    // Only the commands that make a ward may make a program folder; any
    // other refuses a folder without its data folder.
    bool mayCreateRoot = false;

    // A month held elsewhere: the session is the plan the context was made
    // with, the month file named `held->name` is that month, and its saves go
    // through `held->save`. No file is read or written.
    const held_month* held = nullptr;

    context(std::ostream& o, std::ostream& e, std::shared_ptr<CliInteraction> i);
    // The session already opened elsewhere, taken over as it is.
    context(std::ostream& o, std::ostream& e, std::shared_ptr<CliInteraction> i, Plan session);
    // Whether `file` names a month there is (a file, or the month held).
    bool month_exists(const std::string& file) const;
    // The month saved where it lives (its file, with the staff and groups
    // when they changed, or the store of the month held).
    result<> save_month();
    // The program folder (--root, else the default) opened as the window
    // opens it, settings and language included; with `staff` also the staff
    // and groups (a command about to write new ones goes without). Prints
    // the reason and returns false when the folder, its configuration or its
    // staff files cannot be read.
    bool open_root(bool staff = false);
    bool load_staff() { return open_root(true); }
    // The session, then the month files as the tabs of one period, opened
    // as the window opens them with the group (the one with this id, else
    // the first in use) current. The reader's problems go to the error
    // stream. Only a command that writes touches the files around the month
    // (safety copies, recent list), and it refuses a file it cannot read
    // whole.
    // With `wardOnly` only the shown group's part of each month is read (its
    // records and all of its workers'): for a command about that ward alone,
    // and for an edit only under that ward's lock.
    bool open_months(const std::vector<std::string>& files, std::optional<word> group, bool touchFiles = false,
                     bool wardOnly = false) {
        return load_staff() && read_months(files, group, touchFiles, wardOnly);
    }
    // The same in a session already started.
    bool read_months(const std::vector<std::string>& files, std::optional<word> group, bool touchFiles,
                     bool wardOnly = false);
    bool open_month(const std::string& file, std::optional<word> group, bool touchFiles = false,
                    bool wardOnly = false) {
        return open_months({file}, group, touchFiles, wardOnly);
    }
};

// The language the run speaks now: the session's once it is open, else the
// run's.
const Translator& speaking(const context& c);

// A line of the command line's own output in the session's language: the
// text under `key` in the language file's [cli] section, else the built-in
// Polish, with its "%s" filled in order.
std::string say(const Plan& plan, const char* key, const char* polish, std::initializer_list<std::string> args = {});
// The same in the run's language while no session speaks.
std::string say(const context& c, const char* key, const char* polish,
                std::initializer_list<std::string> args = {});

// The refusal of a command's action (`typed`, empty when none was given)
// that is none of `actions`: `needed` (the [cli] text under `key`) says what
// the command does, and a mistyped action gets the one meant.
usage_error unknown_action(const context& c, const std::string& typed, const std::vector<std::string>& actions,
                           const char* key, const char* needed);

using command_fn = int (*)(context&);

struct command {
    const char* name;
    const char* usage;    // arguments, e.g. "DIR"
    const char* summary;  // one line for help
    command_fn run;
};

// Command groups, one function per source file. A new group adds its
// function to the list in cli_commands.cpp.
std::vector<command> staff_commands();
std::vector<command> demo_commands();
std::vector<command> calendar_commands();
std::vector<command> schedule_commands();
std::vector<command> month_commands();
std::vector<command> warnings_commands();
std::vector<command> config_commands();

// Every command, in the order help lists them.
const std::vector<command>& all_commands();
const command* find_command(const std::string& name);
// The refusal of an unknown command, with the command meant when one is close.
std::string unknown_command(const Translator& tr, const std::string& name);

// Runs the program on its arguments (without argv[0]); returns the exit code.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace planek::cli
