#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

// Runs the built quellmark-picprog-cli in a fresh home folder of its own, so
// no test sees the settings of another (or of the person running them).
class ToolTest : public ::testing::Test {
protected:
    struct Result {
        int status = -1;
        std::string out;
        std::string err;
    };

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        home_ = std::filesystem::temp_directory_path() /
                ("picprog-cli-" + std::to_string(getpid()) + "-" + info->test_suite_name() + "-" +
                 info->name());
        std::filesystem::remove_all(home_);
        std::filesystem::create_directories(home_);
    }
    void TearDown() override { std::filesystem::remove_all(home_); }

    static std::string fixture(const std::string& name) {
        return std::string(PICPROG_CLI_FIXTURES) + "/" + name;
    }
    // "--db" with the test database, for commands that take it.
    static std::vector<std::string> with_test_db(std::vector<std::string> args) {
        args.push_back("--db");
        args.push_back(fixture("picprogdevices.txt"));
        return args;
    }
    std::string path(const std::string& name) const { return (home_ / name).string(); }
    std::filesystem::path settings_file() const {
        return home_ / ".config" / "quellmark-picprog" / "quellmark-picprog.ini";
    }
    void write_settings(const std::string& text) const {
        std::filesystem::create_directories(settings_file().parent_path());
        std::ofstream(settings_file(), std::ios::binary) << text;
    }
    static std::string read_file(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // `extra_env` adds NAME=value entries to the tool's small environment.
    Result run(const std::vector<std::string>& args,
               const std::vector<std::string>& extra_env = {}) const {
        return finish(start(args, extra_env));
    }

    // Starts the tool without waiting for it; 0 when it could not start.
    pid_t start(const std::vector<std::string>& args,
                const std::vector<std::string>& extra_env = {}) const {
        std::vector<std::string> argv_text{PICPROG_CLI_BINARY};
        argv_text.insert(argv_text.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : argv_text) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        std::vector<std::string> env_text{"HOME=" + home_.string(), "PATH=/usr/bin:/bin"};
        env_text.insert(env_text.end(), extra_env.begin(), extra_env.end());
        std::vector<char*> envp;
        for (std::string& e : env_text) {
            envp.push_back(e.data());
        }
        envp.push_back(nullptr);

        const std::string out_file = path(".stdout");
        const std::string err_file = path(".stderr");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out_file.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_file.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addchdir_np(&actions, home_.c_str());
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
            pid = 0;
        }
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }

    // Waits for a started tool; status -1 when a signal ended it.
    Result finish(pid_t pid) const {
        Result result;
        if (pid != 0) {
            int wait_status = 0;
            waitpid(pid, &wait_status, 0);
            result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
        }
        result.out = read_file(path(".stdout"));
        result.err = read_file(path(".stderr"));
        return result;
    }

    std::filesystem::path home_;
};
