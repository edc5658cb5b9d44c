#pragma once
// The window's small bridges between the plan's texts and colours and Qt.
#include <QColor>
#include <QString>
#include <string>

#include "core/plan.h"

namespace planek::ui {

inline QString qs(const std::string& s) { return QString::fromStdString(s); }
inline std::string ss(const QString& s) { return s.toStdString(); }
inline QColor toQColor(colour c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

// A caption of the window or a dialog: section, key and the Polish default.
inline QString text(const Plan& plan, const char* section, const char* key, const char* fallback) {
    return qs(plan.tr.tr(section, key, fallback));
}

}  // namespace planek::ui
