#pragma once
#include <QString>

#include "core/interaction.h"

class QWidget;

namespace planek::ui {

// Questions and messages of the rules as modal message boxes titled with the
// application title.
class GuiInteraction : public Interaction {
public:
    explicit GuiInteraction(QWidget* parent) : parent_(parent) {}
    Answer ask(const std::string& text, Buttons buttons) override;
    void inform(const std::string& text) override;
    void warn(const std::string& text) override;
    void setParent(QWidget* parent) { parent_ = parent; }

private:
    QWidget* parent_;
};

QString appTitle();

}  // namespace planek::ui
