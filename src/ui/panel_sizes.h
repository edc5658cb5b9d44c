#pragma once
// The sizes a user gives the window's panels by dragging a splitter, kept
// in the per-user settings file ("320,180,140" under [panels]) so the next
// start shows them again.
#include <filesystem>
#include <string>

#include <QList>

class QSplitter;

namespace planek::ui {

inline constexpr const char* kPanelsSection = "panels";

// "320,180,140" as sizes, one per panel of the splitter; empty when the
// text does not name that many sizes or names an impossible one. A zero
// (a panel hidden when the sizes were taken) comes back with room of its
// own.
QList<int> sizes_from_text(const std::string& text, int panels);

// Gives the splitter the sizes stored under `key` in the per-user settings
// folder, and stores them there again shortly after each drag. Nothing is
// kept without a folder.
void keep_sizes(QSplitter* split, const std::filesystem::path& userFolder, const std::string& key);

}  // namespace planek::ui
