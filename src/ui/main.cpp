#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <memory>

#include "files/month_project.h"
#include "files/program_root.h"
#include "files/staff_group_files.h"
#include "settings/startup_settings.h"
#include "ui/gui_interaction.h"
#include "ui/main_window.h"

using namespace planek;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("planek");
    QApplication::setApplicationDisplayName("PlanekPro");

    QCommandLineParser args;
    args.addHelpOption();
    QCommandLineOption rootOption("root", "Folder programu (dane/, templates/, wydruki/, lang/).", "DIR");
    args.addOption(rootOption);
    args.addPositionalArgument("plik", "Plik planu miesiąca (*.pnk) otwierany przy starcie.", "[plik.pnk]");
    args.process(app);

    Plan plan;
    auto ui = std::make_shared<ui::GuiInteraction>(nullptr);
    plan.ui = ui;

    std::optional<std::filesystem::path> root;
    if (args.isSet(rootOption)) root = args.value(rootOption).toStdString();
    if (io_result r = open_program_root(plan, root); !r) {
        QMessageBox::critical(nullptr, ui::appTitle(), QString::fromStdString(r.error));
        return 1;
    }
    load_startup_settings(plan);
    wczytaj(plan);
    a_ProjectNew(plan);

    ui::MainWindow window(plan);
    ui->setParent(&window);
    const QStringList files = args.positionalArguments();
    if (!files.isEmpty() && std::filesystem::exists(files.first().toStdString())) {
        otworz(plan, files.first().toStdString());
        window.refreshGroups();
    }
    window.onClose = [&plan] {
        if (!plan.saveStaffAtExit) return true;
        files_report saved = zapisz(plan);
        if (saved.ok()) return true;
        // The reason was shown already; closing now would lose the staff changes.
        return plan.ui->ask(plan.tr.msg("msg_CloseWithoutSaving",
                                        "Nie udało się zapisać kadry i grup. Zamknąć program mimo to?"),
                            Buttons::YesNo) == Answer::Yes;
    };
    window.resize(1200, 800);
    window.show();
    return app.exec();
}
