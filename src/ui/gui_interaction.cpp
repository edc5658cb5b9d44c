#include "ui/gui_interaction.h"

#include <QApplication>
#include <QMessageBox>

namespace planek::ui {

QString appTitle() {
    QString t = QApplication::applicationDisplayName();
    return t.isEmpty() ? QStringLiteral("PlanekPro") : t;
}

Answer GuiInteraction::ask(const std::string& text, Buttons buttons) {
    QMessageBox::StandardButtons b = QMessageBox::Yes | QMessageBox::No;
    if (buttons == Buttons::YesNoCancel) b |= QMessageBox::Cancel;
    if (buttons == Buttons::OkCancel) b = QMessageBox::Ok | QMessageBox::Cancel;
    auto r = QMessageBox::question(parent_, appTitle(), QString::fromStdString(text), b);
    switch (r) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Ok: return Answer::Ok;
        default: return Answer::Cancel;
    }
}

void GuiInteraction::inform(const std::string& text) {
    QMessageBox::information(parent_, appTitle(), QString::fromStdString(text));
}

void GuiInteraction::warn(const std::string& text) {
    QMessageBox::warning(parent_, appTitle(), QString::fromStdString(text));
}

}  // namespace planek::ui
