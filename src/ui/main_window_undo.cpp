// The "Edycja" menu: undo and redo of the acts of the window, and the
// wrapping of each act into one step of the month's history.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "document/history_acts.h"
#include "editing/message_text.h"
#include "editing/undo_stack.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace planek::ui {

void MainWindow::buildUndoActions() {
    QAction* undo = makeAction("a_Undo", "Cofnij");
    undo->setShortcuts({QKeySequence("Ctrl+Z")});
    QAction* redo = makeAction("a_Redo", "Ponów");
    redo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    connect(undo, &QAction::triggered, this, [this] { takeStep(false); });
    connect(redo, &QAction::triggered, this, [this] { takeStep(true); });
    // The captions name the step, so a change of language names it again.
    retranslators_.push_back([this] { refreshUndoActions(); });
}

void MainWindow::addUndoMenu(QToolBar* toolbar) {
    QMenu* edit = translatedMenu(nullptr, "mi_Edit", "Edycja");
    edit->addAction(action("a_Undo"));
    edit->addAction(action("a_Redo"));
    // Beside the project menu, where every editor keeps it.
    const QList<QAction*> menus = menuBar()->actions();
    if (menus.size() > 1) {
        menuBar()->removeAction(edit->menuAction());
        menuBar()->insertAction(menus[1], edit->menuAction());
    }
    toolbar->addSeparator();
    toolbar->addAction(action("a_Undo"));
    toolbar->addAction(action("a_Redo"));
    refreshUndoActions();
}

void MainWindow::refreshUndoActions() {
    QAction* undo = action("a_Undo");
    QAction* redo = action("a_Redo");
    if (!undo || !redo) return;
    const undo_stack* history = &doc_.history();
    auto caption = [this](const char* key, const char* bare, const char* named, const undo_label* label) {
        if (!label) return qs(plan_.tr.tr("f_MainForm", key, bare));
        const std::string format = plan_.tr.tr("f_MainForm", std::string(key) + "Step", named);
        return qs(fill_placeholders(format, {undo_label_text(plan_, *label)}));
    };
    const undo_label* back = history ? history->undoLabel() : nullptr;
    const undo_label* forth = history ? history->redoLabel() : nullptr;
    undo->setText(caption("a_Undo", "Cofnij", "Cofnij: %s", back));
    redo->setText(caption("a_Redo", "Ponów", "Ponów: %s", forth));
    undo->setEnabled(back != nullptr);
    redo->setEnabled(forth != nullptr);
}

void MainWindow::takeStep(bool forth) {
    // What the step brought back comes with its notice.
    [[maybe_unused]] const planek::result<> taken = forth ? redo(doc_) : undo(doc_);
}

}  // namespace planek::ui
