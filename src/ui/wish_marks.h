#pragma once
// The workers' wishes in the window: the "Życzenie" part of a day cell's
// popup for the current worker, and the marks that show her wishes on the
// calendar, drawn as a dashed outline with a sign so they never pass for a
// duty panel.
#include <QRect>
#include <functional>

#include "core/plan.h"

class QMenu;
class QPainter;

namespace planek::ui {

// Adds the submenu; a choice sets the wish as one undo step and then calls
// `edited` with the worker.
void add_wish_menu(QMenu& menu, Plan& plan, int dayIndex, const std::function<void(int)>& edited);

// Draws the current worker's wishes into the grid cells of their days.
void paint_wish_marks(QPainter& p, const Plan& plan, const std::function<QRect(int, int)>& cellRect);

}  // namespace planek::ui
