#include "figures/shown_watcher.h"

#include <sys/resource.h>

#include <QApplication>
#include <QEvent>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <fstream>
#include <iomanip>

#include "figures/stopwatch.h"
#include "gui/mainwindow/main_window.h"

namespace picprog::bench {

ShownWatcher::ShownWatcher(int64_t spawned_ns, std::string report_path, QObject* parent)
    : QObject(parent), spawned_ns_(spawned_ns), report_path_(std::move(report_path)) {
    QCoreApplication::instance()->installEventFilter(this);
    QTimer::singleShot(kGiveUpMs, this, [this] { end_when_running(kGaveUpStatus); });
}

bool ShownWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (!seen_ && event->type() == QEvent::Expose && is_main_window(watched)) {
        seen_ = true;
        report(now_nanoseconds());
        end_when_running(0);
    }
    return false;
}

// The Expose goes to the native window, not to the widget: find the widget
// whose window it is. A message box shown instead (no database) is not it.
bool ShownWatcher::is_main_window(QObject* watched) const {
    const auto* window = qobject_cast<QWindow*>(watched);
    if (window == nullptr) {
        return false;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<MainWindow*>(widget) != nullptr && widget->windowHandle() == window) {
            return true;
        }
    }
    return false;
}

void ShownWatcher::report(int64_t shown_ns) const {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::ofstream out(report_path_);
    out << std::fixed << std::setprecision(3) << "startup_ms "
        << static_cast<double>(shown_ns - spawned_ns_) / 1e6 << '\n';
    out << "max_rss_kb " << usage.ru_maxrss << '\n';
}

// The window may show while start-up still runs (its load handler lets
// events through), before the main event loop exists; an exit asked for
// then would be lost. So wait until a loop runs, and end that.
void ShownWatcher::end_when_running(int status) {
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [status] {
        if (QThread::currentThread()->loopLevel() > 0) {
            QCoreApplication::exit(status);
        }
    });
    timer->start(0);
}

}  // namespace picprog::bench
