#include "cli/cli_interaction.h"

#include <termios.h>
#include <unistd.h>

#include <iostream>
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

namespace planek::cli {

std::optional<std::string> CliInteraction::ask_secret(const std::string& prompt) {
    if (!::isatty(STDIN_FILENO)) return std::nullopt;
    err_ << prompt << std::flush;
    termios was{};
    const bool quiet = ::tcgetattr(STDIN_FILENO, &was) == 0;
    if (quiet) {
        termios silent = was;
        silent.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    std::string typed;
    const bool got = bool(std::getline(std::cin, typed));
    if (quiet) ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &was);
    err_ << "\n";
    if (!got) return std::nullopt;
    return typed;
}

}  // namespace planek::cli
