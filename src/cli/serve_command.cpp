#include "cli/serve_command.h"

#include <charconv>
#include <iostream>
#include <optional>
#include <sstream>
#include <variant>

#include "cli/terminal.h"
#include "cli/watch_command.h"
#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/workspace.h"
#include "preview/preview_server.h"
#include "project/program_base.h"

namespace quenlo::cli {

namespace {

struct ServeOptions {
    Switches switches;
    bool release = false;
    int port = default_preview_port;
    std::string folder;
};

int usage_error(std::string_view problem) {
    std::cerr << "quenlo-cli: " << problem << "\n\nSee quenlo-cli --help.\n";
    return 2;
}

std::optional<int> port_number(const std::string& text) {
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (error != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535)
        return std::nullopt;
    return port;
}

// The options, or the exit status of a usage error.
std::variant<ServeOptions, int> parse(const std::vector<std::string>& args) {
    ServeOptions options;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (arg == "--release") {
            options.release = true;
        } else if (arg == "--check-chars") {
            options.switches.skip_characters_check = false;
        } else if (arg == "--skip-unknown") {
            options.switches.skip_unknown_check = true;
        } else if (arg == "--port") {
            const std::optional<int> port =
                k + 1 < args.size() ? port_number(args[++k]) : std::nullopt;
            if (!port) return usage_error("--port needs a port number from 1 to 65535");
            options.port = *port;
        } else if (arg.starts_with("-")) {
            return usage_error("unknown option " + arg);
        } else if (options.folder.empty()) {
            options.folder = arg;
        } else {
            return usage_error("only one PROJECT_DIR, please");
        }
    }
    if (options.folder.empty()) return usage_error("serve needs a PROJECT_DIR");
    while (options.folder.size() > 1 && options.folder.back() == '/') options.folder.pop_back();
    return options;
}

void print_addresses(int port, bool release) {
    const std::string address = "http://127.0.0.1:" + std::to_string(port) + "/";
    std::cout << "\nServing the debug page on " << address << '\n';
    if (release) std::cout << "Serving the release page on " << address << "release\n";
    std::cout << "Pages reload after each build; Ctrl-C stops.\n" << std::flush;
}

// The game's script errors come on the server's thread while builds log on
// this one: each report is written at once, whole.
PreviewServer::Reporter terminal_reporter(bool colours) {
    return [colours](const std::vector<std::string>& lines) {
        std::ostringstream text;
        TerminalLog log(text, colours);
        for (const std::string& line : lines) log.append_line(style_log_line(line).colour, line);
        std::cout << text.str() << std::flush;
    };
}

}  // namespace

int run_serve(const std::vector<std::string>& args, const std::string& program_folder) {
    const auto parsed = parse(args);
    if (const int* status = std::get_if<int>(&parsed)) return *status;
    const ServeOptions& options = std::get<ServeOptions>(parsed);

    const bool colours = stdout_wants_colours();
    TerminalLog terminal(std::cout, colours);
    NoEvents events;
    TerminalUi ui(std::cerr);
    BuildLog log(terminal, events);

    Workspace workspace;
    workspace.switches = options.switches;
    workspace.program_folder = program_folder;
    workspace.project_folder = options.folder;
    if (!folder_exists(workspace.project_folder)) {
        log.log_line("Error: unable to find project folder!");
        ui.show_error("Unable to find project folder!");
        return 1;
    }
    load_program_base(workspace, log);

    try {
        Rebuilder rebuilder(workspace, log, ui, options.release);
        const BuildResult first = rebuilder.build();
        PreviewServer server;
        print_addresses(server.start(workspace.project_folder, options.release, options.port,
                                     terminal_reporter(colours)),
                        options.release);
        server.build_finished(workspace.project_folder, first);
        while (rebuilder.wait_for_change())
            server.build_finished(workspace.project_folder, rebuilder.build());
    } catch (const Error& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace quenlo::cli
