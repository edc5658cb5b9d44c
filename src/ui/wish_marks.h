#pragma once
// The workers' wishes in the window: the "Życzenie" part of a day cell's
// popup for the current worker, and the marks that show her wishes on the
// calendar, drawn as a dashed outline with a sign so they never pass for a
// duty panel.
#include <QRect>
#include <functional>

#include "core/plan.h"
#include "document/roster_document.h"

class QMenu;
class QPainter;

namespace planek::ui {

// Adds the submenu; a choice sets the wish for the shown worker as one undo
// step.
void add_wish_menu(QMenu& menu, roster_document& doc, int dayIndex);

// Draws the current worker's wishes into the grid cells of their days.
void paint_wish_marks(QPainter& p, const Plan& plan, const std::function<QRect(int, int)>& cellRect);

}  // namespace planek::ui
