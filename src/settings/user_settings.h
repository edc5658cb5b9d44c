#pragma once
// The per-user settings: the start password's hash, the user name of the
// options dialog and two page switches of the worker dialog. One small INI
// file per user, in plan.options.userSettingsFolder.
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/result.h"

namespace planek {

struct Plan;
struct plan_services;

inline constexpr const char* kUserSettingsFileName = "user.ini";

// $XDG_CONFIG_HOME/planek, else $HOME/.config/planek; empty when neither
// variable is set.
std::filesystem::path default_user_settings_folder();

// Reads the file into plan.options.user (defaults when there is no folder
// or no file). Returns false only for a file that exists but cannot be read.
bool read_user_settings(plan_services& plan);
result<> write_user_settings(const Plan& plan);

// The password hash: the published login hash of the Gadu-Gadu protocol over
// the Windows-1250 bytes of the password.
std::uint32_t GGLoginHash(const std::string& password);

// Login check: true when no password is set or the hash of `typed` matches.
bool check_password(const Plan& plan, const std::string& typed);
// Password change: an empty text removes the password.
void set_password(plan_services& plan, const std::string& typed);

}  // namespace planek
