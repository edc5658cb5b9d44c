#pragma once
// What the templates dialog needs beyond the template files: the search,
// the edit question and the run options from the configuration.
#include <string>
#include <vector>

#include "printouts/generation.h"
#include "printouts/template_file.h"

namespace planek {

struct Plan;

// Positions of the templates whose title contains the search text, without
// regard to case; every position for an empty search.
std::vector<int> e_SearchChange(const std::vector<szablon>& list, const std::string& search);

// The question asked before a template is opened for editing.
std::string template_edit_question(const Plan& plan, const std::string& title);

// The dialog's two check boxes as stored in the configuration.
gen_options gen_options_from_settings(const Plan& plan);

}  // namespace planek
