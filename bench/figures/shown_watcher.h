#pragma once

#include <QObject>
#include <cstdint>
#include <string>

class QEvent;

namespace picprog::bench {

// Watches every event of the application for the main window's first
// Expose, the moment it can first be seen. Then it writes the time since
// `spawned_ns` (the parent's monotonic clock just before it started this
// process) and this process's largest resident set to `report_path`, and
// ends the program once its event loop runs. A window that has not shown
// within kGiveUpMs ends the program with kGaveUpStatus instead, so a
// start-up that goes wrong cannot hang the figures.
class ShownWatcher : public QObject {
public:
    static constexpr int kGiveUpMs = 60000;
    static constexpr int kGaveUpStatus = 3;

    ShownWatcher(int64_t spawned_ns, std::string report_path, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool is_main_window(QObject* watched) const;
    void report(int64_t shown_ns) const;
    void end_when_running(int status);

    int64_t spawned_ns_;
    std::string report_path_;
    bool seen_ = false;
};

}  // namespace picprog::bench
