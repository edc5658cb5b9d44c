#include "ui/dialogs/dialog_util.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QToolTip>
#include <algorithm>

#include "core/cp1250.h"
#include "editing/message_text.h"
#include "editing/typed_time.h"
#include "ui/qt_text.h"

namespace planek::ui {

QString caption(const Plan& plan, const char* form, const char* key, const char* fallback) {
    return qs(plan.tr.tr(form, key, fallback));
}

Cp1250Validator::Cp1250Validator(const Plan& plan, QLineEdit* field)
    : QValidator(field), plan_(plan), field_(field) {}

QValidator::State Cp1250Validator::validate(QString& input, int&) const {
    const auto bad = first_unencodable(ss(input));
    if (!bad) return Acceptable;
    const std::string text =
        message(plan_, "msg_CharNotAllowed",
                "Znaku \"%s\" nie można zapisać w plikach programu (Windows-1250).", {*bad});
    QToolTip::showText(field_->mapToGlobal(QPoint(0, field_->height())), qs(text), field_);
    return Invalid;
}

void refuseUnencodable(const Plan& plan, QPlainTextEdit* field, QLabel* said) {
    said->setObjectName(field->objectName() + "_Refused");
    said->setStyleSheet(QStringLiteral("QLabel { color: #b00000; }"));
    said->setWordWrap(true);
    said->hide();
    QObject::connect(field, &QPlainTextEdit::textChanged, said, [&plan, field, said] {
        const QString typed = field->toPlainText();
        QString kept, refused;
        const int cursor = field->textCursor().position();
        int keptBeforeCursor = 0;
        for (qsizetype i = 0; i < typed.size();) {
            const qsizetype n = typed[i].isHighSurrogate() && i + 1 < typed.size() ? 2 : 1;
            const QString one = typed.mid(i, n);
            if (first_unencodable(ss(one))) {
                if (refused.isEmpty()) refused = one;
            } else {
                kept += one;
                if (i < cursor) keptBeforeCursor += int(n);
            }
            i += n;
        }
        if (refused.isEmpty()) return;
        // The message stays until the next refusal or until the dialog goes,
        // so the user sees why the character did not appear.
        said->setText(qs(message(plan, "msg_CharNotAllowed",
                                 "Znaku \"%s\" nie można zapisać w plikach programu (Windows-1250).", {ss(refused)})));
        said->show();
        // The field's other handlers see the kept text through this change.
        field->setPlainText(kept);
        QTextCursor at = field->textCursor();
        at.setPosition(std::clamp(keptBeforeCursor, 0, field->document()->characterCount() - 1));
        field->setTextCursor(at);
    });
}

QLineEdit* textField(const Plan& plan, QWidget* parent, const char* name, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (maxLength > 0) e->setMaxLength(maxLength);
    e->setValidator(new Cp1250Validator(plan, e));
    return e;
}

QLineEdit* timeField(const Plan& plan, QWidget* parent, const char* name, int maxHours, bool allowNegative) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(8);
    e->setProperty("maxHours", maxHours);
    e->setProperty("allowNegative", allowNegative);
    const QString hint = qs(plan.tr.msg("msg_TimeHint", "Wpisz czas jako np. 7:35, 7.35 lub 735."));
    QObject::connect(e, &QLineEdit::textChanged, e, [e, hint] {
        const bool ok = timeFieldValid(e);
        e->setStyleSheet(ok ? QString() : QStringLiteral("QLineEdit { background: #ffd0d0; }"));
        e->setToolTip(ok ? QString() : hint);
    });
    return e;
}

bool timeFieldValid(const QLineEdit* field) {
    return typed_minutes(ss(field->text()), field->property("maxHours").toInt(),
                         field->property("allowNegative").toBool())
        .has_value();
}

QColor qcolour(colour c) { return toQColor(c); }

colour fromQColor(const QColor& c) {
    return colour(c.red()) | (colour(c.green()) << 8) | (colour(c.blue()) << 16);
}

ColourButton::ColourButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    connect(this, &QPushButton::clicked, this, &ColourButton::choose);
    setColour(0xFFFFFF);
}

void ColourButton::setColour(colour c) {
    colour_ = c;
    setStyleSheet(QStringLiteral("QPushButton { background: %1; color: black; }").arg(qcolour(c).name()));
}

void ColourButton::choose() {
    const QColor chosen = QColorDialog::getColor(qcolour(colour_), this);
    if (!chosen.isValid()) return;
    setColour(fromQColor(chosen));
    if (onChanged) onChanged(colour_);
}

QDialogButtonBox* okCancel(const Plan& plan, const char* form, QWidget* parent) {
    auto* box = new QDialogButtonBox(parent);
    QPushButton* ok = box->addButton(caption(plan, form, "sb_Ok", "OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("sb_Ok");
    ok->setToolTip(caption(plan, form, "sb_Ok_hint", "Zamknij"));
    ok->setDefault(true);
    QPushButton* cancel =
        box->addButton(caption(plan, form, "sb_Cancel", "Anuluj"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("sb_Cancel");
    return box;
}

void setFittingTitle(QWidget* dialog, const QString& title) {
    dialog->setWindowTitle(title);
    QFont bold = dialog->font();
    bold.setBold(true);  // title bars mostly draw in bold
    const QString shown = title + QString::fromUtf8(" \u2014 ") + QGuiApplication::applicationDisplayName();
    // Room for the icon and the three buttons of a title bar.
    constexpr int kTitleBarControls = 140;
    const int wanted = QFontMetrics(bold).horizontalAdvance(shown) + kTitleBarControls;
    dialog->setMinimumWidth(std::max(dialog->minimumWidth(), wanted));
}

}  // namespace planek::ui
