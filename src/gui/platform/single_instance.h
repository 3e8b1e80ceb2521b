#pragma once

#include <QLockFile>
#include <QString>

namespace picprog {

// Tells whether another copy of the program is already running, through a
// lock file that the running copy holds for as long as it lives. A lock
// left behind by a copy that crashed is taken over (the lock records the
// owner's process id).
class SingleInstance {
public:
    // `lock_path`: the lock file; default_lock_path() for the real program.
    explicit SingleInstance(const QString& lock_path);
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this copy now holds the lock (or already held it); false
    // when another running copy holds it. Never waits.
    bool acquire();

private:
    QLockFile lock_;
};

// The per-user lock file in the runtime (else the temporary) folder.
QString default_lock_path();

}  // namespace picprog
