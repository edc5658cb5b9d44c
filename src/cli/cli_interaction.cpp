#include "cli/cli_interaction.h"

#include <ostream>

namespace planek::cli {

Answer CliInteraction::ask(const std::string& text, Buttons buttons) {
    Answer a;
    const char* word;
    if (preset_ == Preset::Yes) {
        a = buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
        word = buttons == Buttons::OkCancel ? "OK" : "Tak";
    } else if (preset_ == Preset::No || buttons == Buttons::YesNo) {
        a = buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
        word = buttons == Buttons::OkCancel ? "Anuluj" : "Nie";
    } else {
        a = Answer::Cancel;
        word = "Anuluj";
    }
    err_ << text << "\n-> " << word;
    if (preset_ == Preset::None) err_ << " (odpowiedź wybierają opcje --yes i --no)";
    err_ << "\n";
    return a;
}

void CliInteraction::inform(const std::string& text) { err_ << text << "\n"; }

void CliInteraction::warn(const std::string& text) { err_ << "Uwaga: " << text << "\n"; }

}  // namespace planek::cli
