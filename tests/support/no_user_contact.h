#pragma once
// For the rules that only return what they have to say: any question or
// message that reaches the user fails the test.
#include <gtest/gtest.h>

#include <string>

#include "core/interaction.h"

namespace planek::test {

class NoUserContact : public Interaction {
public:
    Answer ask(const std::string& text, Buttons) override {
        ADD_FAILURE() << "asked the user: " << text;
        return Answer::No;
    }
    void inform(const std::string& text) override { ADD_FAILURE() << "informed the user: " << text; }
    void warn(const std::string& text) override { ADD_FAILURE() << "warned the user: " << text; }
};

}  // namespace planek::test
