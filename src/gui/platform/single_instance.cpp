#include "gui/platform/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace picprog {
namespace {

constexpr auto kLockFileName = "quellmark-picprog.lock";

}  // namespace

SingleInstance::SingleInstance(const QString& lock_path) : lock_(lock_path) {
    // A running copy may hold the lock for days; only a dead owner makes it
    // stale, never its age.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    if (lock_.isLocked()) {
        return true;
    }
    return lock_.tryLock(0);
}

QString default_lock_path() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return folder + QLatin1Char('/') + kLockFileName;
}

}  // namespace picprog
