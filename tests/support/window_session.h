#pragma once
// A data folder opened in-process the way the window opens it, so a test can
// hold the command line's result against the act the window runs.
#include <memory>
#include <string>

#include "document/roster_document.h"
#include "support/scripted_interaction.h"

namespace planek::test {

struct window_session {
    roster_document doc;
    std::shared_ptr<ScriptedInteraction> talk = std::make_shared<ScriptedInteraction>();

    // The folder only, with no month open; every question answered `answer`.
    explicit window_session(const std::string& root, Answer answer = Answer::Yes);
    // The folder and one of its months, opened for editing.
    window_session(const std::string& root, const std::string& month, Answer answer = Answer::Yes);

    const Plan& plan() const { return doc.plan(); }
};

}  // namespace planek::test
