#pragma once
// Small pieces the dialogs share: captions from the language file, time
// fields that say at once when their text cannot be a time, text fields that
// refuse what the Windows-1250 files cannot hold, colour swatches.
#include <QColor>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QValidator>
#include <functional>

#include "core/plan.h"

class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;

namespace planek::ui {

// Caption of a control: section = the dialog's form name, key = the control.
QString caption(const Plan& plan, const char* form, const char* key, const char* fallback);

// Refuses typed or pasted characters Windows-1250 cannot hold, showing why
// beside the field.
class Cp1250Validator : public QValidator {
public:
    Cp1250Validator(const Plan& plan, QLineEdit* field);
    State validate(QString& input, int& pos) const override;

private:
    const Plan& plan_;
    QLineEdit* field_;
};

// A multi-line field has no validator: the characters Windows-1250 cannot
// hold are taken out as they are typed or pasted, and `said` (shown under
// the field, hidden while all is well) names the first of them.
void refuseUnencodable(const Plan& plan, QPlainTextEdit* field, QLabel* said);

// A text field named `name` with the Windows-1250 guard.
QLineEdit* textField(const Plan& plan, QWidget* parent, const char* name, int maxLength = 0);

// A time field: accepts "7:35", "7.35", "735"; while its text cannot be a
// time it turns pink and its tooltip says what to type.
QLineEdit* timeField(const Plan& plan, QWidget* parent, const char* name, int maxHours = 999,
                     bool allowNegative = false);
bool timeFieldValid(const QLineEdit* field);

// A button drawn in a colour; clicking opens the colour dialog.
class ColourButton : public QPushButton {
public:
    ColourButton(const QString& text, QWidget* parent);
    void setColour(colour c);
    colour value() const { return colour_; }
    std::function<void(colour)> onChanged;

private:
    void choose();
    colour colour_ = 0xFFFFFF;
};

// OK ("OK", hint "Zamknij") and "Anuluj" buttons named sb_Ok and sb_Cancel.
QDialogButtonBox* okCancel(const Plan& plan, const char* form, QWidget* parent);

QColor qcolour(colour c);

// Sets the dialog's title and keeps the dialog wide enough for the title
// bar to show it whole, with the program name the desktop adds after it.
void setFittingTitle(QWidget* dialog, const QString& title);
colour fromQColor(const QColor& c);

}  // namespace planek::ui
