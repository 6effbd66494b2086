// quenlo-cli: the generator core without a window, for scripts, continuous
// integration and authors without a desktop.

#include <pthread.h>
#include <signal.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "cli/terminal.h"
#include "core/build_log.h"
#include "core/error.h"
#include "core/pipeline.h"
#include "core/project_files.h"
#include "core/workspace.h"

namespace fs = std::filesystem;
using namespace quenlo;

namespace {

constexpr int exit_ok = 0;
constexpr int exit_failed = 1;
constexpr int exit_usage = 2;

constexpr std::string_view usage_text =
    "Usage:\n"
    "  quenlo-cli build [--release] [--check-chars] [--skip-unknown] PROJECT_DIR\n"
    "  quenlo-cli --help\n"
    "  quenlo-cli --version\n"
    "\n"
    "build           builds the adventure in PROJECT_DIR: always the debug page,\n"
    "                with --release also the release page\n"
    "  --release       also write the release page\n"
    "  --check-chars   check the characters of the source files (skipped otherwise)\n"
    "  --skip-unknown  skip the check for unknown objects, rooms and variables\n";

int usage_error(std::string_view problem) {
    std::cerr << "quenlo-cli: " << problem << "\n\n" << usage_text;
    return exit_usage;
}

std::string program_folder(const char* argv0) {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) exe = fs::absolute(argv0, ec);
    std::string folder = exe.parent_path().string();
    folder += static_cast<char>(fs::path::preferred_separator);
    return folder;
}

std::string without_trailing_separators(std::string folder) {
    while (folder.size() > 1 && folder.back() == static_cast<char>(fs::path::preferred_separator))
        folder.pop_back();
    return folder;
}

// Ctrl-C must end a build through its stop path, so SIGINT and SIGTERM are
// taken by a watcher thread that only raises the stop flag.
void watch_interrupts(std::atomic<bool>& stop) {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals, &stop] {
        int received = 0;
        while (sigwait(&signals, &received) == 0) stop = true;
    }).detach();
}

// A "base.qn" beside the program replaces the stored base script; a file that
// cannot be read is passed over.
void load_program_base(Workspace& workspace, BuildLog& log) {
    const std::string path = workspace.program_folder + "base.qn";
    if (!file_exists(path)) return;
    try {
        workspace.reDefault.load_base_override(path);
        log.log_line("\xC2\xA3" "Found base.qn file: " + path);
    } catch (const Error&) {
    }
}

int run_build(const std::vector<std::string>& args, const char* argv0) {
    Workspace workspace;
    bool release = false;
    std::string folder;
    workspace.switches.skip_characters_check = true;
    for (const std::string& arg : args) {
        if (arg == "--release")
            release = true;
        else if (arg == "--check-chars")
            workspace.switches.skip_characters_check = false;
        else if (arg == "--skip-unknown")
            workspace.switches.skip_unknown_check = true;
        else if (arg.starts_with("-"))
            return usage_error("unknown option " + arg);
        else if (folder.empty())
            folder = arg;
        else
            return usage_error("only one PROJECT_DIR, please");
    }
    if (folder.empty()) return usage_error("build needs a PROJECT_DIR");

    cli::TerminalLog sink(std::cout, cli::stdout_wants_colours());
    cli::NoEvents events;
    cli::TerminalUi ui(std::cerr);
    BuildLog log(sink, events);

    workspace.program_folder = program_folder(argv0);
    workspace.project_folder = without_trailing_separators(folder);
    if (!folder_exists(workspace.project_folder)) {
        log.log_line("Error: unable to find project folder!");
        ui.show_error("Unable to find project folder!");
        return exit_failed;
    }
    load_program_base(workspace, log);
    watch_interrupts(workspace.stop);

    bool succeeded = false;
    try {
        succeeded = generate(workspace, log, ui, release);
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "Error: " << e.what() << std::endl;
        return exit_failed;
    }
    std::cout.flush();
    return succeeded ? exit_ok : exit_failed;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage_error("no command given");
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h") {
        std::cout << usage_text;
        return exit_ok;
    }
    if (command == "--version") {
        std::cout << "quenlo-cli " << quenlo_version << "\n";
        return exit_ok;
    }
    if (command == "build") return run_build(args, argv[0]);
    return usage_error("unknown command " + command);
}
