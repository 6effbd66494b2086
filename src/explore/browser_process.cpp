#include "explore/browser_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "foundation/error.h"

namespace quenlo {

namespace {

std::string fresh_profile() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quenlo-explore-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw Error("Unable to create a browser profile folder!");
    return pattern;
}

}  // namespace

BrowserProcess::BrowserProcess(const std::string& path, std::vector<std::string> arguments,
                               bool pipes,
                               const std::function<void(const std::string&)>& prepare)
    : profile_(fresh_profile()) {
    if (prepare) prepare(profile_);
    int commands[2] = {-1, -1};
    int answers[2] = {-1, -1};
    if (pipes && (pipe2(commands, O_CLOEXEC) != 0 || pipe2(answers, O_CLOEXEC) != 0))
        throw Error("Unable to start the browser " + path + "!");
    for (std::string& argument : arguments) {
        const std::size_t at = argument.find("{profile}");
        if (at != std::string::npos) argument.replace(at, 9, profile_);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_ = fork();
    if (pid_ < 0) throw Error("Unable to start the browser " + path + "!");
    if (pid_ == 0) {
        // The child: its ends of the pipes become fds 3 and 4 (dup2 clears
        // close-on-exec), its output goes nowhere.
        if (pipes) {
            const int in = fcntl(commands[0], F_DUPFD_CLOEXEC, 10);
            const int out = fcntl(answers[1], F_DUPFD_CLOEXEC, 10);
            dup2(in, 3);
            dup2(out, 4);
        }
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        setpgid(0, 0);  // the terminal's Ctrl-C is ours to handle, not the browser's
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        signal(SIGPIPE, SIG_DFL);
        close_range(5, ~0U, 0);  // nothing else of ours reaches the browser
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    if (pipes) {
        ::close(commands[0]);
        ::close(answers[1]);
        to_child_ = commands[1];
        from_child_ = answers[0];
    }
}

void BrowserProcess::close(int milliseconds) {
    if (to_child_ >= 0) ::close(to_child_);
    to_child_ = -1;
    if (pid_ > 0) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        int status = 0;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > until) {
                kill(-pid_, SIGKILL);  // the browser's own helper processes too
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        pid_ = -1;
    }
    if (from_child_ >= 0) ::close(from_child_);
    from_child_ = -1;
    if (!profile_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(profile_, ec);
        profile_.clear();
    }
}

BrowserProcess::~BrowserProcess() { close(2000); }

}  // namespace quenlo
