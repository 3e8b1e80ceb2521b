// Start-up: from the moment a process is started to the main window's first
// Expose, and the largest resident set by then, for the program's own
// start-up path (run_application with --simulate, on the offscreen
// platform, with fresh settings and lock folders of its own).
//
// Run without arguments, this program starts itself several times as the
// program under test and prints the figures; each copy it starts runs the
// real start-up and reports through a file. The first start warms the disk
// cache and writes the settings file, as any earlier use of the program
// would have, and is not counted.
//
// Usage: figure_startup [RUNS]
// Prints "key value" lines for scripts/bench.
#include <unistd.h>

#include <QByteArray>
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "figures/child_process.h"
#include "figures/shown_watcher.h"
#include "figures/stopwatch.h"
#include "gui/mainwindow/application.h"

namespace picprog::bench {
namespace {

constexpr int kDefaultRuns = 7;
constexpr auto kSpawnedVariable = "PICPROG_FIGURE_SPAWNED_NS";
constexpr auto kReportVariable = "PICPROG_FIGURE_REPORT";

// Runs inside QApplication's constructor in a started copy, before any of
// the program's own start-up code.
void watch_start_up() {
    const QByteArray spawned = qgetenv(kSpawnedVariable);
    const QByteArray report = qgetenv(kReportVariable);
    if (spawned.isEmpty() || report.isEmpty()) {
        return;
    }
    new ShownWatcher(spawned.toLongLong(), report.toStdString(), QCoreApplication::instance());
}
Q_COREAPP_STARTUP_FUNCTION(watch_start_up)

struct Sample {
    double startup_ms = 0;
    double max_rss_kb = 0;
};

bool read_report(const std::filesystem::path& path, Sample& sample) {
    std::ifstream in(path);
    std::string key;
    double value = 0;
    int found = 0;
    while (in >> key >> value) {
        if (key == "startup_ms") {
            sample.startup_ms = value;
            ++found;
        } else if (key == "max_rss_kb") {
            sample.max_rss_kb = value;
            ++found;
        }
    }
    return found == 2;
}

bool start_once(const std::filesystem::path& folder, int number, Sample& sample) {
    const std::filesystem::path report = folder / ("report-" + std::to_string(number));
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    Environment environment = {
        {"QT_QPA_PLATFORM", "offscreen"},
        {"XDG_CONFIG_HOME", (folder / "config").string()},
        {"XDG_RUNTIME_DIR", (folder / "runtime").string()},
        {kReportVariable, report.string()},
    };
    // Read last, just before the start.
    environment.emplace_back(kSpawnedVariable, std::to_string(now_nanoseconds()));
    const ChildRun child = run_child({self, "--simulate"}, environment);
    if (!child.started || child.exit_status != 0 || !read_report(report, sample)) {
        std::fprintf(stderr, "start %d failed: exit status %d\n", number, child.exit_status);
        return false;
    }
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int launch(int runs) {
    std::string folder_name =
        (std::filesystem::temp_directory_path() / "picprog-startup-figure-XXXXXX").string();
    if (mkdtemp(folder_name.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = folder_name;
    std::filesystem::create_directory(folder / "config");
    // Qt wants the runtime folder private to its user.
    std::filesystem::create_directory(folder / "runtime");
    std::filesystem::permissions(folder / "runtime", std::filesystem::perms::owner_all);

    Sample sample;
    bool ok = start_once(folder, 0, sample);
    std::vector<double> startup_ms;
    std::vector<double> rss_kb;
    for (int i = 1; ok && i <= runs; ++i) {
        ok = start_once(folder, i, sample);
        startup_ms.push_back(sample.startup_ms);
        rss_kb.push_back(sample.max_rss_kb);
    }
    std::filesystem::remove_all(folder);
    if (!ok) {
        return 1;
    }
    std::printf("runs %d\n", runs);
    std::printf("startup_ms %.1f\n", median(startup_ms));
    std::printf("startup_min_ms %.1f\n", *std::min_element(startup_ms.begin(), startup_ms.end()));
    std::printf("startup_max_ms %.1f\n", *std::max_element(startup_ms.begin(), startup_ms.end()));
    std::printf("max_rss_kb %.0f\n", median(rss_kb));
    return 0;
}

}  // namespace
}  // namespace picprog::bench

int main(int argc, char** argv) {
    if (std::getenv(picprog::bench::kSpawnedVariable) != nullptr) {
        return picprog::run_application(argc, argv);
    }
    const int runs = argc > 1 ? std::atoi(argv[1]) : picprog::bench::kDefaultRuns;
    return picprog::bench::launch(std::max(runs, 1));
}
