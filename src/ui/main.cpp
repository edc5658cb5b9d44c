#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputDialog>
#include <QPushButton>
#include <QMessageBox>
#include <QScreen>
#include <QTabBar>
#include <QDate>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "document/month_acts.h"
#include "editing/refusal.h"
#include "files/program_root.h"
#include "files/root_seed.h"
#include "settings/language.h"
#include "settings/language_install.h"
#include "settings/message_format.h"
#include "settings/user_settings.h"
#include "ui/calendar_view.h"
#include "ui/gui_interaction.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/store_month.h"

using namespace planek;

namespace {

void place_window(ui::MainWindow& window, const windows_options& w) {
    const QRect screen = window.screen() ? window.screen()->availableGeometry() : QRect(0, 0, 1280, 800);
    const int width = w.window_width > 0 ? w.window_width : screen.width();
    const int height = w.window_height > 0 ? w.window_height : screen.height();
    window.setGeometry(w.window_pos_x, w.window_pos_y, width, height);
}

windows_options placement_of(const ui::MainWindow& window) {
    windows_options w;
    const QRect g = window.normalGeometry();
    w.window_pos_x = g.x();
    w.window_pos_y = g.y();
    w.window_width = g.width();
    w.window_height = g.height();
    w.window_state_max = window.isMaximized();
    return w;
}

// The hidden screenshot run: the window at a fixed size, grabbed to a PNG,
// with the time of rebuilding and repainting the month printed. `show` adds
// to the picture: "warnings" runs the check and shows its list; the name of
// an action grabs the dialog that action opens instead of the window.
int screenshot(ui::MainWindow& window, const QString& file, QSize size, const QString& show) {
    window.resize(size.isValid() ? size : QSize(1400, 860));
    window.show();
    QApplication::processEvents();
    QElapsedTimer t;
    t.start();
    const int runs = 20;
    for (int i = 0; i < runs; ++i) {
        window.calendar()->rebuild();
        window.calendar()->repaint();
    }
    std::fprintf(stderr, "calendar rebuild+repaint: %.2f ms, %zu panels\n", double(t.nsecsElapsed()) / 1e6 / runs,
                 window.calendar()->layout().panels.size());
    // A selected day, so the picture shows its day box too.
    if (int row = 0, column = 0; window.calendar()->cellAt(window.calendar()->dayPoint(9, 1), row, column))
        window.calendar()->selectCell(row, column);
    QApplication::processEvents();
    if (show == "warnings") {
        window.action("a_Warnings")->trigger();
        QApplication::processEvents();
    } else if (QAction* action = show.isEmpty() ? nullptr : window.action(show)) {
        bool saved = false;
        QTimer::singleShot(300, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                saved = dialog->grab().save(file);
                dialog->reject();
            }
        });
        action->trigger();
        return saved ? 0 : 1;
    }
    return window.grab().save(file) ? 0 : 1;
}

// The hidden timing run: the ward grows to `workers` people by copying the
// existing ones with their duties (in a copy of the plan, in memory only),
// then the month's panels are rebuilt and repainted a number of times.
void bench(const roster_document& shown, int workers) {
    Plan plan = shown.copy();
    const size_t original = plan.workers.size();
    for (size_t i = 0; original > 0 && plan.workers.size() < size_t(workers); ++i) {
        prac copy = plan.workers[i % original];
        copy.old = false;
        copy.id = word(plan.workers.size() + 1000);
        for (ms_& m : copy.months)
            for (auto& day : m.duties)
                for (dyzur& d : day) d.workerId = copy.id;
        plan.workers.push_back(std::move(copy));
    }
    // Every worker of the group on duty every day: the heaviest month to draw.
    const grupa* g = plan.group();
    for (prac& p : plan.workers) {
        if (!g || g->shifts.empty() || p.months.size() <= size_t(plan.currentMonth)) continue;
        p.groups = std::to_string(g->id) + "|";
        ms_& m = p.months[size_t(plan.currentMonth)];
        for (size_t d = 0; d < plan.days.size() && d < m.duties.size(); ++d) {
            if (!m.duties[d].empty()) continue;
            dyzur duty;
            duty.workerId = p.id;
            duty.groupId = g->id;
            duty.shift = byte(1 + d % g->shifts.size());
            duty.start = g->shifts[duty.shift - 1].start;
            duty.length = g->shifts[duty.shift - 1].length;
            duty.dutyAs = 1;
            duty.dayIndex = byte(d);
            m.duties[d].push_back(duty);
        }
        for (wolne_& off : m.daysOff) off = wolne_{};
    }
    plan.rebuildWorkerIds();
    roster_document grown(std::move(plan));
    const Plan& big = grown.plan();
    ui::MainWindow window(grown);
    window.onClose = nullptr;
    window.resize(1400, 860);
    window.show();
    QApplication::processEvents();
    QElapsedTimer t;
    const int runs = 50;
    t.start();
    for (int i = 0; i < runs; ++i) window.calendar()->rebuild();
    const double build = double(t.nsecsElapsed()) / 1e6 / runs;
    t.restart();
    for (int i = 0; i < runs; ++i) window.calendar()->repaint();
    const double paint = double(t.nsecsElapsed()) / 1e6 / runs;
    std::printf("%zu workers, %zu panels: rebuild %.2f ms, repaint %.2f ms, together %.2f ms\n", big.workers.size(),
                window.calendar()->layout().panels.size(), build, paint, build + paint);
}

// No program folder is open yet, so no language is loaded: the question
// speaks the language asked for, else the system's, from the shipped files.
Translator startup_language(const std::optional<std::string>& asked) {
    Translator tr;
    const std::filesystem::path shipped = shipped_data_folder(executable_folder());
    // Without the file the built-in Polish texts stay.
    if (!shipped.empty()) load_language_file(tr, language_file(shipped / "lang", asked.value_or(system_language())));
    return tr;
}

// A month file from outside any program folder (saved from an e-mail, say):
// the user says which ward's folder it belongs to.
std::optional<std::filesystem::path> ask_root(const Translator& tr, const std::filesystem::path& file) {
    const std::filesystem::path fallback =
        default_program_root(executable_folder(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    const QString title = ui::qs(tr.msg("msg_ProgramFolderTitle", "Folder programu"));
    QMessageBox box(QMessageBox::Question, title,
                    ui::qs(fill_message(tr.msg("msg_FileOutsideDataFolder",
                                               "Plik %s nie leży w folderze danych programu (dane). Z którym "
                                               "folderem programu go otworzyć?%sFolder domyślny: %s"),
                                        {file.string(), "\n\n", fallback.string()})));
    QPushButton* choose = box.addButton(ui::qs(tr.msg("msg_ChooseProgramFolder", "Wybierz folder...")),
                                        QMessageBox::AcceptRole);
    QPushButton* standard =
        box.addButton(ui::qs(tr.msg("msg_DefaultProgramFolder", "Folder domyślny")), QMessageBox::RejectRole);
    box.setDefaultButton(choose);
    box.setEscapeButton(standard);
    box.exec();
    if (box.clickedButton() != choose) return std::nullopt;
    const QString folder =
        QFileDialog::getExistingDirectory(nullptr, title, QString::fromStdString(file.parent_path().string()));
    if (folder.isEmpty()) return std::nullopt;
    return std::filesystem::path(ui::ss(folder));
}

// The month on the hospital's server the window was asked for (--db URL,
// else the user's own db_url, and --month, else this month): connected and
// its session read from the store, or a line saying why not.
struct store_start {
    std::unique_ptr<ui::StoreMonth> store;
    Plan session;
};

result<store_start> open_store(const Translator& tr, std::string url, const QString& month,
                               const std::optional<std::string>& language, const std::shared_ptr<Interaction>& gui) {
    if (url.empty()) {
        Plan settings;
        settings.options.userSettingsFolder = default_user_settings_folder();
        if (read_user_settings(settings)) url = settings.options.user.db_url;
    }
    if (url.empty())
        return refused(refusal_kind::Io, tr.tr("cli", "cli_DbNeedsUrl",
                                               "podaj adres bazy danych (postgresql://UŻYTKOWNIK@SERWER/BAZA albo "
                                               "--db ADRES) albo zapisz go w ustawieniach: config --set user db_url ADRES"));
    // A password in a command line is in the shell's history and in every process list.
    if (store::pg_connection::names_password(url))
        return refused(refusal_kind::Io, tr.tr("cli", "cli_DbPasswordInUrl",
                                               "hasła nie podaje się w adresie bazy danych: zapisz je w ~/.pgpass "
                                               "(albo w pliku, który wskazuje PGPASSFILE)"));
    const std::optional<std::pair<int, int>> when = ui::StoreMonth::parse_month(
        month.isEmpty() ? ui::ss(QDate::currentDate().toString("yyyy-MM")) : ui::ss(month));
    if (!when)
        return refused(refusal_kind::Io, tr.tr("cli", "cli_DbNeedsMonth", "podaj miesiąc: --month RRRR-MM"));
    result<store::pg_connection> db = store::pg_connection::open(url, tr, [&tr]() -> std::optional<std::string> {
        bool ok = false;
        const QString typed = QInputDialog::getText(nullptr, ui::appTitle(),
                                                    ui::qs(tr.tr("cli", "cli_DbPasswordPrompt", "Hasło do bazy danych:")),
                                                    QLineEdit::Password, QString(), &ok);
        if (!ok) return std::nullopt;
        return ui::ss(typed);
    });
    if (!db) return db.error();
    store_start started;
    started.store = std::make_unique<ui::StoreMonth>(std::move(*db), when->first, when->second);
    result<Plan> session = started.store->readSession(gui, language, shipped_language_folder(executable_folder()));
    if (!session) return session.error();
    started.session = std::move(*session);
    started.session.options.userSettingsFolder = default_user_settings_folder();
    (void)read_user_settings(started.session);
    return started;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("planek");
    QApplication::setApplicationDisplayName("PlanekPro");

    QCommandLineParser args;
    args.addHelpOption();
    QCommandLineOption rootOption("root", "Folder programu (dane/, templates/, wydruki/, lang/).", "DIR");
    QCommandLineOption langOption("lang", "Język interfejsu (nazwa pliku z lang/, bez .lng).", "NAME");
    QCommandLineOption shotOption("screenshot", "", "FILE");
    shotOption.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption shotSizeOption("screenshot-size", "", "WxH");
    shotSizeOption.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption shotShowOption("screenshot-show", "", "WHAT");
    shotShowOption.setFlags(QCommandLineOption::HiddenFromHelp);
    args.addOption(shotSizeOption);
    args.addOption(shotShowOption);
    QCommandLineOption groupOption("group", "", "N");
    groupOption.setFlags(QCommandLineOption::HiddenFromHelp);
    args.addOption(rootOption);
    args.addOption(langOption);
    args.addOption(shotOption);
    args.addOption(groupOption);
    QCommandLineOption benchOption("bench-workers", "", "N");
    benchOption.setFlags(QCommandLineOption::HiddenFromHelp);
    args.addOption(benchOption);
    QCommandLineOption dbOption("db", "Baza danych szpitala (PostgreSQL): miesiąc z bazy zamiast z folderu danych.",
                                "URL");
    QCommandLineOption monthOption("month", "Miesiąc z bazy danych (bez --db z bazy z ustawień użytkownika, db_url).",
                                   "RRRR-MM");
    args.addOption(dbOption);
    args.addOption(monthOption);
    args.addPositionalArgument("plik", "Plik planu miesiąca (*.pnk) otwierany przy starcie.", "[plik.pnk]");
    args.process(app);

    // The document outlives the store's month, which unsubscribes from it.
    std::optional<roster_document> document;
    Translator storeLanguage;  // the connection's texts, for as long as it lives
    std::unique_ptr<ui::StoreMonth> store;
    auto gui = std::make_shared<ui::GuiInteraction>(nullptr);
    const std::optional<std::string> asked =
        args.isSet(langOption) ? std::optional(ui::ss(args.value(langOption))) : std::nullopt;
    if (args.isSet(dbOption) || args.isSet(monthOption)) {
        storeLanguage = startup_language(asked);
        result<store_start> opened =
            open_store(storeLanguage, ui::ss(args.value(dbOption)), args.value(monthOption), asked, gui);
        if (!opened) {
            QMessageBox::critical(nullptr, ui::appTitle(), ui::qs(opened.error().text));
            return 1;
        }
        store = std::move(opened->store);
        document.emplace(std::move(opened->session));
    } else {
        document.emplace();
    }
    roster_document& doc = *document;
    const Plan& plan = doc.plan();
    doc.set_interaction(gui);

    start_request request;
    if (args.isSet(rootOption)) request.root = ui::ss(args.value(rootOption));
    if (args.isSet(langOption)) request.language = ui::ss(args.value(langOption));
    if (!args.positionalArguments().isEmpty()) request.file = ui::ss(args.positionalArguments().first());
    request.askRoot = [&request](const std::filesystem::path& file) {
        return ask_root(startup_language(request.language), file);
    };
    request.askPassword = [&plan]() -> std::optional<std::string> {
        bool ok = false;
        const QString typed = QInputDialog::getText(
            nullptr, ui::text(plan, "f_Login", "f_Login", "Planek - logowanie"),
            ui::text(plan, "f_Login", "Label1", "Wprowadź hasło:"), QLineEdit::Password, QString(), &ok);
        if (!ok) return std::nullopt;
        return ui::ss(typed);
    };
    if (!store) {
        // Each head nurse holds the ward she shows, not the whole month: the
        // other wards of the month stay free to plan at the same time.
        doc.set_ward_locks(true);
        const result<> started = start_program(doc, request);
        if (!started) {
            if (started.error().kind == refusal_kind::Cancelled) return 0;  // no password given
            QMessageBox::critical(nullptr, ui::appTitle(), ui::qs(started.error().text));
            return 1;
        }
        tell_user(*gui, started);
    }
    QApplication::setApplicationDisplayName(ui::qs(plan.options.appTitle));
    // However the window ends (a screenshot or bench run, or the close), the
    // months it holds are free for the next program, which would otherwise
    // have to take over a dead process's lock.
    struct locks_released {
        roster_document& doc;
        ~locks_released() { release_locks(doc); }
    } released{doc};

    ui::MainWindow window(doc);
    gui->setParent(&window);
    window.onClose = [&doc, &window, gui] {
        const result<> closed = close_program(doc, placement_of(window));
        if (closed.error().kind != refusal_kind::Cancelled) tell_user(*gui, closed);
        return closed.ok();
    };
    if (store) {
        if (const result<> opened = store->open(doc, window); !opened) {
            QMessageBox::critical(nullptr, ui::appTitle(), ui::qs(opened.error().text));
            return 1;
        }
        // No data folder takes the window's place or the month: unsaved
        // edits go to the store or nowhere.
        window.onClose = [&store] { return store->mayClose(); };
    }
    if (args.isSet(groupOption)) window.chooseGroup(args.value(groupOption).toInt());
    if (args.isSet(benchOption)) {
        window.onClose = nullptr;
        bench(doc, args.value(benchOption).toInt());
        return 0;
    }
    if (args.isSet(shotOption)) {
        window.onClose = nullptr;
        const QStringList size = args.value(shotSizeOption).split('x');
        const QSize shotSize = size.size() == 2 ? QSize(size[0].toInt(), size[1].toInt()) : QSize();
        return screenshot(window, args.value(shotOption), shotSize, args.value(shotShowOption));
    }
    place_window(window, plan.options.windows);
    if (plan.options.windows.window_state_max)
        window.showMaximized();
    else
        window.show();
    return app.exec();
}
