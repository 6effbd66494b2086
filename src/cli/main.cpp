// quenlo-cli: the generator core without a window, for scripts, continuous
// integration and authors without a desktop.

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/exit_status.h"
#include "cli/explore_command.h"
#include "cli/graph_command.h"
#include "cli/interrupts.h"
#include "cli/serve_command.h"
#include "cli/terminal.h"
#include "cli/watch_command.h"
#include "foundation/build_log.h"
#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/workspace.h"
#include "generator/pipeline.h"
#include "lsp/stdio_transport.h"
#include "project/bracket_check.h"
#include "project/new_project_files.h"
#include "project/program_base.h"

namespace fs = std::filesystem;
using namespace quenlo;
using namespace quenlo::cli;

namespace {

constexpr std::string_view usage_text =
    "Usage:\n"
    "  quenlo-cli build [--release] [--check-chars] [--skip-unknown] PROJECT_DIR\n"
    "  quenlo-cli build --watch [--release] [--check-chars] [--skip-unknown] PROJECT_DIR\n"
    "  quenlo-cli serve [--release] [--port N] [--check-chars] [--skip-unknown] PROJECT_DIR\n"
    "  quenlo-cli new PROJECT_DIR\n"
    "  quenlo-cli check PROJECT_DIR\n"
    "  quenlo-cli graph [--svg FILE] PROJECT_DIR\n"
    "  quenlo-cli explore [--seconds N] [--browser PATH] [--json FILE] [--walkthrough FILE]\n"
    "                     PROJECT_DIR\n"
    "  quenlo-cli play [--browser PATH] PROJECT_DIR [WALKTHROUGH]\n"
    "  quenlo-cli lsp\n"
    "  quenlo-cli --help\n"
    "  quenlo-cli --version\n"
    "\n"
    "build           builds the adventure in PROJECT_DIR: always the debug page,\n"
    "                with --release also the release page\n"
    "  --release       also write the release page\n"
    "  --check-chars   check the characters of the source files (skipped otherwise)\n"
    "  --skip-unknown  skip the check for unknown objects, rooms and variables\n"
    "  --watch         after the build, build again after each change to a source\n"
    "                  file, until Ctrl-C\n"
    "serve           builds, then serves the pages on http://127.0.0.1:8470/ (or\n"
    "                the next free port) and builds again after each change; the\n"
    "                open page reloads and keeps the running game, or shows the\n"
    "                error of a failed build\n"
    "  --release       also serve the release page, at /release\n"
    "  --port N        listen from port N on instead of 8470\n"
    "new             writes a new project, the sample adventure of the base script,\n"
    "                into PROJECT_DIR, which must not exist yet\n"
    "check           checks that ( ) [ ] { } balance in the script files and the\n"
    "                objects file of PROJECT_DIR; exit status 1 when they do not\n"
    "graph           writes the story map of PROJECT_DIR in Graphviz's DOT language:\n"
    "                every room a box, exits as arrows labelled with their verb,\n"
    "                moves by f_moveplayer dashed, rooms nothing leads to in red\n"
    "  --svg FILE      write the map laid out by dot as an SVG picture instead\n"
    "explore         builds the debug page and plays every choice of the game in a\n"
    "                headless browser (Chromium, Chrome, Edge or Firefox), breadth\n"
    "                first; reports script errors, states that can no longer be won,\n"
    "                rooms never entered; exit status 1 when it found an error\n"
    "  --seconds N     stop after N seconds (60)\n"
    "  --browser PATH  the browser to use instead of the first one found\n"
    "  --json FILE     also write the report as JSON\n"
    "  --walkthrough FILE  write the shortest win found, one choice a line\n"
    "play            replays WALKTHROUGH, or every *.walk file of PROJECT_DIR, in a\n"
    "                headless browser; exit status 1 at the first choice not offered\n"
    "                or expectation not met\n"
    "lsp             the language server for editors: the Language Server\n"
    "                Protocol on standard input and output, for the project\n"
    "                folder the editor opens\n";

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

// The one PROJECT_DIR of the `new` and `check` commands, or a usage error.
std::optional<std::string> single_folder(const std::vector<std::string>& args,
                                         std::string_view command) {
    if (args.size() != 1 || args.front().empty() || args.front().starts_with("-")) {
        usage_error(std::string(command) + " needs exactly one PROJECT_DIR");
        return std::nullopt;
    }
    return without_trailing_separators(args.front());
}

int run_build(const std::vector<std::string>& args, const char* argv0) {
    Workspace workspace;
    bool release = false;
    bool watch = false;
    std::string folder;
    workspace.switches.skip_characters_check = true;
    for (const std::string& arg : args) {
        if (arg == "--release")
            release = true;
        else if (arg == "--check-chars")
            workspace.switches.skip_characters_check = false;
        else if (arg == "--skip-unknown")
            workspace.switches.skip_unknown_check = true;
        else if (arg == "--watch")
            watch = true;
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
    if (watch) return cli::build_and_watch(workspace, log, ui, release);
    cli::watch_interrupts(workspace.stop);

    bool succeeded = false;
    try {
        succeeded = generate(workspace, log, ui, release).succeeded;
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "Error: " << e.what() << std::endl;
        return exit_failed;
    }
    std::cout.flush();
    return succeeded ? exit_ok : exit_failed;
}

int run_new(const std::vector<std::string>& args, const char* argv0) {
    const std::optional<std::string> folder = single_folder(args, "new");
    if (!folder) return exit_usage;

    cli::TerminalLog sink(std::cout, cli::stdout_wants_colours());
    cli::NoEvents events;
    BuildLog log(sink, events);
    Workspace workspace;
    workspace.program_folder = program_folder(argv0);
    load_program_base(workspace, log);

    log.log_line("Creating project files...");
    try {
        write_new_project(workspace.reDefault, *folder);
    } catch (const std::exception& e) {
        log.log_line("Error: unable to create new project folder or files!");
        std::cout.flush();
        std::cerr << "Unable to create new project folder or files!\n" << e.what() << std::endl;
        return exit_failed;
    }
    log.log_line(
        "\xC2\xA3"
        "Created new project: " +
        *folder);
    return exit_ok;
}

int run_check(const std::vector<std::string>& args) {
    const std::optional<std::string> folder = single_folder(args, "check");
    if (!folder) return exit_usage;

    cli::TerminalLog sink(std::cout, cli::stdout_wants_colours());
    cli::NoEvents events;
    BuildLog log(sink, events);
    if (!folder_exists(*folder)) {
        log.log_line("Error: unable to find project folder!");
        return exit_failed;
    }
    return check_parentheses(*folder, log) ? exit_ok : exit_failed;
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
    if (command == "new") return run_new(args, argv[0]);
    if (command == "check") return run_check(args);
    if (command == "graph") return cli::run_graph(args);
    if (command == "explore") return cli::run_explore(args, program_folder(argv[0]));
    if (command == "play") return cli::run_play(args, program_folder(argv[0]));
    if (command == "serve") return cli::run_serve(args, program_folder(argv[0]));
    if (command == "lsp") {
        if (!args.empty()) return usage_error("lsp takes no arguments");
        // The protocol owns standard output: nothing else may be printed there.
        std::ios::sync_with_stdio(false);
        return lsp::serve_language(std::cin, std::cout, {program_folder(argv[0])});
    }
    return usage_error("unknown command " + command);
}
