#include "cli/cli_interaction.h"

#include <ostream>

namespace planek::cli {

std::string CliInteraction::text(const char* key, const char* polish) const {
    return tr_ ? tr_->tr("cli", key, polish) : polish;
}

Answer CliInteraction::ask(const std::string& question, Buttons buttons) {
    Answer a;
    std::string word;
    const std::string ok = text("cli_AnswerOk", "OK"), cancel = text("cli_AnswerCancel", "Anuluj");
    if (preset_ == Preset::Yes) {
        a = buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
        word = buttons == Buttons::OkCancel ? ok : text("cli_AnswerYes", "Tak");
    } else if (preset_ == Preset::No || buttons == Buttons::YesNo) {
        a = buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
        word = buttons == Buttons::OkCancel ? cancel : text("cli_AnswerNo", "Nie");
    } else {
        a = Answer::Cancel;
        word = cancel;
    }
    err_ << question << "\n-> " << word;
    if (preset_ == Preset::None) err_ << text("cli_AnswerHint", " (odpowiedź wybierają opcje --yes i --no)");
    err_ << "\n";
    return a;
}

void CliInteraction::inform(const std::string& message) { err_ << message << "\n"; }

void CliInteraction::warn(const std::string& message) {
    err_ << text("cli_WarningMark", "Uwaga: ") << message << "\n";
}

}  // namespace planek::cli
