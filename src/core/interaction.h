#pragma once
#include <string>

namespace planek {

enum class Answer { Yes, No, Cancel, Ok };
enum class Buttons { YesNo, YesNoCancel, OkCancel };

// Every question and message of the rules goes through this, so the rules run
// headless: the GUI shows message boxes, the CLI answers from its flags, tests
// script the answers and record the texts.
class Interaction {
public:
    virtual ~Interaction() = default;
    virtual Answer ask(const std::string& text, Buttons buttons) = 0;
    virtual void inform(const std::string& text) = 0;
    virtual void warn(const std::string& text) = 0;
};

// Answers every question with a fixed answer and forgets the messages.
class SilentInteraction : public Interaction {
public:
    explicit SilentInteraction(Answer answer = Answer::No) : answer_(answer) {}
    Answer ask(const std::string&, Buttons) override { return answer_; }
    void inform(const std::string&) override {}
    void warn(const std::string&) override {}

private:
    Answer answer_;
};

}  // namespace planek
