#include "gui/mainwindow/application.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTimer>
#include <memory>

#include "core/hardware/null_backend.h"
#include "gui/mainwindow/device_database_location.h"
#include "gui/mainwindow/file_chooser.h"
#include "gui/mainwindow/load_handler.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/message_boxes.h"
#include "gui/platform/single_instance.h"
#include "platform/qt_settings_backend.h"

namespace picprog {
namespace {

constexpr auto kApplicationName = "quellmark-picprog";
constexpr int kDatabaseFailureStatus = 1;

struct CommandLine {
    bool simulate = false;
    QString screenshot;  // save a picture of the main window there, then end
};

CommandLine parse_command_line(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QString::fromUtf8(kProductTitle.data(), static_cast<qsizetype>(kProductTitle.size())));
    parser.addHelpOption();
    const QCommandLineOption simulate(
        "simulate", "Use the simulated programmer and chip instead of a parallel port.");
    QCommandLineOption screenshot(
        "screenshot", "Save a picture of the main window after start-up and end.", "file");
    screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(simulate);
    parser.addOption(screenshot);
    parser.process(app);
    return {parser.isSet(simulate), parser.value(screenshot)};
}

std::string program_folder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/'))
        .toStdString();
}

}  // namespace

int run_application(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(kApplicationName);
    const CommandLine options = parse_command_line(app);

    SingleInstance instance(default_lock_path());
    if (!instance.acquire()) {
        return 0;
    }

    ModalMessageBoxes boxes;
    DatabaseSearch search = find_database(
        default_database_candidates(QCoreApplication::applicationDirPath().toStdString()));
    if (search.result.status != DatabaseLoadStatus::Ok) {
        boxes.msg_box(nullptr, find_theme(kDefaultThemeName).colors,
                      database_failure_message(search), MsgKind::Error, kProductTitle);
        return kDatabaseFailureStatus;
    }

    // The load handler reads every setting and, on a first start, creates
    // each default: held, they reach the file with one write.
    QtSettingsBackend settings_backend(QtSettingsOptions{true, {}});
    SettingsStore settings(settings_backend);
    Programmer programmer(std::make_unique<NullBackend>());
    programmer.database = std::move(search.result.database);
    ThemeState theme;
    DialogFileChooser files;
    MainWindow window(programmer, settings, theme,
                      {boxes, files, [](int status) { QCoreApplication::exit(status); }});
    run_load_handler(window, programmer, settings, theme, default_port_backend_makers(),
                     {program_folder(), options.simulate});
    settings_backend.flush();
    if (!settings_backend.ignored_reason().empty()) {
        window.msg_box(settings_backend.ignored_reason(), MsgKind::Information, {});
    }

    if (!options.screenshot.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, &options] {
            window.grab().save(options.screenshot);
            window.close();
        });
    }
    return QApplication::exec();
}

}  // namespace picprog
