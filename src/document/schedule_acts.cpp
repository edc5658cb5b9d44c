#include "document/schedule_acts.h"

#include "document/act.h"
#include "editing/message_text.h"

namespace planek {

namespace {

// Answers the accept question as decided; every other question goes to the
// front end's own interaction.
class decided_interaction : public Interaction {
public:
    decided_interaction(std::shared_ptr<Interaction> inner, std::string question, bool accept)
        : inner_(std::move(inner)), question_(std::move(question)), accept_(accept) {}
    Answer ask(const std::string& text, Buttons buttons) override {
        if (text == question_) return accept_ ? Answer::Yes : Answer::No;
        return inner_->ask(text, buttons);
    }
    void inform(const std::string& text) override { inner_->inform(text); }
    void warn(const std::string& text) override { inner_->warn(text); }

private:
    std::shared_ptr<Interaction> inner_;
    std::string question_;
    bool accept_;
};

}  // namespace

result<scheduler_report> run_scheduler(roster_document& doc, const scheduler_choice& choice, proposals decision) {
    act a(doc, change::entries | change::workers, {"undo_Automatic", "Automatyczne rozpisanie dyżurów"});
    // The pattern positions that move on with an accepted month live in the
    // staff file; they go to disk with the month's save, both or neither.
    a.recount();
    Plan& plan = a.plan();
    const std::shared_ptr<Interaction> usual = plan.ui;
    if (decision != proposals::Ask)
        plan.ui = std::make_shared<decided_interaction>(
            usual, message(plan, "msg_AutoDutiesAccept", "Czy zatwierdzić automatycznie wpisane dyżury?"),
            decision == proposals::Accept);
    scheduler_report report = uloz_planek(plan, choice);
    plan.ui = usual;
    if (!report.ran) return a.finish(result<scheduler_report>(refused(refusal_kind::NoGroup, {})));
    return a.finish(result<scheduler_report>(std::move(report)));
}

}  // namespace planek
