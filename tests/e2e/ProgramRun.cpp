#include "ProgramRun.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// This process's environment, but without the leak check in a sanitized program: the GL libraries
// unload the driver at exit, and its leaks then carry no library name to be suppressed by. Every other
// sanitizer check stays on, and its report would reach the captured stderr.
std::vector<std::string> Environment() {
    std::vector<std::string> variables;
    bool asanOptions = false;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        variables.emplace_back(*variable);
        if (variables.back().rfind("ASAN_OPTIONS=", 0) == 0) {
            variables.back() += ":detect_leaks=0";
            asanOptions = true;
        }
    }
    if (!asanOptions) {
        variables.emplace_back("ASAN_OPTIONS=detect_leaks=0");
    }
    return variables;
}

} // namespace

std::string ProgramPath(const char* variable) {
    const char* path = getenv(variable);
    return path != nullptr ? path : "";
}

ProgramRun::ProgramRun(Display* display, const std::string& program, std::vector<std::string> args,
                       const std::string& title)
    : display_(display), title_(title) {
    char path[] = "/tmp/vistrel-e2e-XXXXXX";
    int fd = mkstemp(path);
    stderrPath_ = path;
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> variables = Environment();
    std::vector<char*> envp;
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fd, STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(&actions, "/");
    if (program.empty() ||
        posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) {
        pid_ = 0;
        ADD_FAILURE() << "cannot start \"" << program << "\"";
    }
    posix_spawn_file_actions_destroy(&actions);
    close(fd);
    // A program that ends early (a failed set-up) has no window to wait for.
    for (int waited = 0; window_ == 0 && waited < 20000 && Running(); waited += 100) {
        window_ = xwindow::WaitForWindow(display_, title_, 100);
    }
}

ProgramRun::~ProgramRun() {
    Stop();
    unlink(stderrPath_.c_str());
}

bool ProgramRun::Running() {
    if (pid_ != 0 && waitpid(pid_, &status_, WNOHANG) == pid_) {
        pid_ = 0;
        ended_ = true;
    }
    return pid_ != 0;
}

int ProgramRun::WaitForExit(int timeoutMs) {
    for (int waited = 0; Running() && waited < timeoutMs; waited += 20) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return ended_ && WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

std::string ProgramRun::Stop() {
    if (pid_ != 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
        for (int i = 0; i < 250 && xwindow::WindowExists(display_, title_); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    return ReadFile(stderrPath_);
}
