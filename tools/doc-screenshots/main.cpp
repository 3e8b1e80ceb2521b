// doc-screenshots: makes the pictures of the user documentation from the
// real widgets, offscreen, on the simulated programmer.
//
// Usage: doc-screenshots DATABASE HEX_FILE WORK_FOLDER OUTPUT_FOLDER

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "screenshot_tour.h"

int main(int argc, char** argv) {
    constexpr int kArguments = 5;
    if (argc != kArguments) {
        std::fprintf(stderr,
                     "Usage: doc-screenshots DATABASE HEX_FILE WORK_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // A window the tour does not expect would wait for an answer for ever.
    constexpr int kTimeLimitMs = 120'000;
    QTimer::singleShot(kTimeLimitMs, [] {
        std::fprintf(stderr, "doc-screenshots: still running after two minutes, stopped\n");
        std::exit(3);
    });
    const picprog::doc::TourPaths paths{argv[1], argv[2], QString::fromLocal8Bit(argv[3]),
                                        QString::fromLocal8Bit(argv[4])};
    const int failures = picprog::doc::run_screenshot_tour(paths);
    std::printf("%d pictures failed\n", failures);
    return failures == 0 ? 0 : 1;
}
