#pragma once
#include <deque>
#include <string>
#include <vector>

#include "core/interaction.h"

namespace planek::test {

// Queues answers for the questions a rule asks and records every text shown,
// so a test can assert the exact wording of a refusal.
class ScriptedInteraction : public Interaction {
public:
    std::deque<Answer> answers;
    std::vector<std::string> questions;
    std::vector<std::string> infos;
    std::vector<std::string> warnings;
    Answer fallback = Answer::No;

    Answer ask(const std::string& text, Buttons) override {
        questions.push_back(text);
        if (answers.empty()) return fallback;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void inform(const std::string& text) override { infos.push_back(text); }
    void warn(const std::string& text) override { warnings.push_back(text); }
    // Every text shown, questions included, in no particular order.
    std::vector<std::string> all() const;
};

}  // namespace planek::test
