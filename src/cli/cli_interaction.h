#pragma once
#include <iosfwd>
#include <optional>
#include <string>

#include "core/interaction.h"
#include "core/translator.h"

namespace planek::cli {

// Questions are answered from --yes / --no; without either the cautious
// answer is taken (No, or Cancel where offered). Every question and
// message is printed on the error stream, so the output stays clean.
class CliInteraction : public Interaction {
public:
    enum class Preset { None, Yes, No };
    CliInteraction(std::ostream& err, Preset preset) : err_(err), preset_(preset) {}

    Answer ask(const std::string& question, Buttons buttons) override;
    void inform(const std::string& message) override;
    void warn(const std::string& message) override;
    // A secret typed at the terminal without echo (the server's password);
    // nothing when the standard input is no terminal, so a script never
    // hangs on a question nobody sees.
    std::optional<std::string> ask_secret(const std::string& prompt);
    void setPreset(Preset p) { preset_ = p; }
    Preset preset() const { return preset_; }
    // The translator the answers and the warning mark are read from; it
    // must outlive this object (the plan's own).
    void speak(const Translator& tr) { tr_ = &tr; }

private:
    std::string text(const char* key, const char* polish) const;

    const Translator* tr_ = nullptr;
    std::ostream& err_;
    Preset preset_;
};

}  // namespace planek::cli
