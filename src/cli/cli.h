#pragma once
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/cli_interaction.h"
#include "core/plan.h"

namespace planek::cli {

enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

// Thrown by a command for wrong arguments; main prints it with the usage
// and exits with 2.
struct usage_error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What a command runs with: its own arguments (after the command name), the
// global options, the streams and the plan it works on.
struct context {
    std::vector<std::string> args;
    std::optional<std::filesystem::path> root;  // --root DIR
    std::optional<std::string> lang;            // --lang NAME: language of the messages for this run
    std::ostream& out;
    std::ostream& err;
    std::shared_ptr<CliInteraction> ui;
    Plan plan;

    context(std::ostream& o, std::ostream& e, std::shared_ptr<CliInteraction> i);
    // Opens the program root (--root, else the default) and loads staff and
    // groups. Prints the reason and returns false on failure.
    bool open_root();
    bool load_staff();
    // Makes the group with this id current, else the first one not archived.
    // False, with the reason printed, when the asked group does not exist or
    // (with needOne) there is no group at all.
    bool choose_group(std::optional<word> id, bool needOne);
    // Staff, groups and options of the root, then the month file as the only
    // tab with the chosen group current. The reader's problems go to the
    // error stream; they do not stop the command. Only a command that writes
    // touches the files around the month (safety copies, recent list).
    bool open_month(const std::string& file, std::optional<word> group, bool needGroup, bool touchFiles = false);
};

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

// Runs the program on its arguments (without argv[0]); returns the exit code.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace planek::cli
