#include "ui/panel_sizes.h"

#include <QSplitter>
#include <QStringList>
#include <QTimer>

#include "core/ini_file.h"
#include "settings/user_settings.h"

namespace planek::ui {

namespace {

constexpr int kReturningPanel = 150;

std::filesystem::path settings_file(const std::filesystem::path& folder) { return folder / kUserSettingsFileName; }

}  // namespace

QList<int> sizes_from_text(const std::string& text, int panels) {
    const QStringList parts = QString::fromStdString(text).split(',', Qt::SkipEmptyParts);
    if (parts.size() != panels) return {};
    QList<int> sizes;
    for (const QString& part : parts) {
        bool ok = false;
        const int size = part.trimmed().toInt(&ok);
        if (!ok || size < 0 || size > 100000) return {};
        sizes << (size == 0 ? kReturningPanel : size);
    }
    return sizes;
}

void keep_sizes(QSplitter* split, const std::filesystem::path& userFolder, const std::string& key) {
    if (userFolder.empty()) return;
    std::error_code ec;
    if (std::filesystem::exists(settings_file(userFolder), ec)) {
        const IniFile ini(settings_file(userFolder));
        const QList<int> sizes = sizes_from_text(ini.readString(kPanelsSection, key), split->count());
        if (!sizes.isEmpty()) split->setSizes(sizes);
    }
    // A drag moves the splitter many times; the file is written once it rests.
    auto* rest = new QTimer(split);
    rest->setSingleShot(true);
    rest->setInterval(400);
    QObject::connect(split, &QSplitter::splitterMoved, rest, qOverload<>(&QTimer::start));
    QObject::connect(rest, &QTimer::timeout, split, [split, userFolder, key] {
        QStringList parts;
        for (int size : split->sizes()) parts << QString::number(size);
        std::error_code ec;
        std::filesystem::create_directories(userFolder, ec);
        IniFile ini(settings_file(userFolder));
        ini.writeString(kPanelsSection, key, parts.join(',').toStdString());
        // A failed write only forgets the sizes.
        [[maybe_unused]] const bool saved = ini.saveAs(settings_file(userFolder));
    });
}

}  // namespace planek::ui
