#include "figures/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "figures/stopwatch.h"

extern char** environ;

namespace picprog::bench {
namespace {

std::string name_of(const std::string& assignment) {
    return assignment.substr(0, assignment.find('='));
}

std::vector<std::string> child_environment(const Environment& extra) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string assignment(*entry);
        bool replaced = false;
        for (const auto& [name, value] : extra) {
            replaced = replaced || name_of(assignment) == name;
        }
        if (!replaced) {
            result.push_back(assignment);
        }
    }
    for (const auto& [name, value] : extra) {
        result.push_back(name + "=" + value);
    }
    return result;
}

// posix_spawn wants the C form: pointers into the strings, null-terminated.
std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (std::string& s : strings) {
        result.push_back(s.data());
    }
    result.push_back(nullptr);
    return result;
}

}  // namespace

ChildRun run_child(const std::vector<std::string>& argv, const Environment& extra,
                   bool show_output) {
    std::vector<std::string> arguments = argv;
    std::vector<std::string> environment = child_environment(extra);
    std::vector<char*> arg_pointers = pointers(arguments);
    std::vector<char*> env_pointers = pointers(environment);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!show_output) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }

    ChildRun run;
    pid_t pid = 0;
    const double start = now_seconds();
    const int spawned = posix_spawnp(&pid, arg_pointers[0], &actions, nullptr, arg_pointers.data(),
                                     env_pointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return run;
    }
    run.started = true;
    int status = 0;
    struct rusage usage {};
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            return run;
        }
    }
    run.wall_seconds = now_seconds() - start;
    run.max_rss_kb = usage.ru_maxrss;
    run.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace picprog::bench
