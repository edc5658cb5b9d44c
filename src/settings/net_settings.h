#pragma once
// net.ini of the data folder (section net) and the folders it moves onto a
// server copy of the program.
#include <string>
#include <vector>

#include "core/result.h"

namespace planek {

struct Plan;
struct plan_services;

inline constexpr const char* kNetFileName = "net.ini";

// Reads net.ini into plan.options.net; returns "net.key" of unusable values.
std::vector<std::string> read_net_options(plan_services& plan);
result<> write_net_options(const Plan& plan);

// True when the server path is empty, names no existing folder, or names
// the program's own folder: this copy is then the server.
bool RunAsServer(const Plan& plan);

// Recomputes the template, printout and configuration folders: local ones,
// or the server's for each option that is on while the server folder
// exists. A server folder that cannot be found is a note of the result
// (msg_CantFindServer) and the local folders stay.
result<> PathsUpdate(plan_services& plan);

// The options dialog hides its network page on a client whose net.ini asks
// for it.
bool network_page_visible(const Plan& plan);

}  // namespace planek
