#pragma once
#include <iosfwd>

#include "core/interaction.h"

namespace planek::cli {

// Questions are answered from --yes / --no; without either the cautious
// answer is taken (No, or Cancel where offered). Every question and
// message is printed on the error stream, so the output stays clean.
class CliInteraction : public Interaction {
public:
    enum class Preset { None, Yes, No };
    CliInteraction(std::ostream& err, Preset preset) : err_(err), preset_(preset) {}

    Answer ask(const std::string& text, Buttons buttons) override;
    void inform(const std::string& text) override;
    void warn(const std::string& text) override;
    void setPreset(Preset p) { preset_ = p; }

private:
    std::ostream& err_;
    Preset preset_;
};

}  // namespace planek::cli
