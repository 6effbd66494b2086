#include "cli/explore_command.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>

#include "cli/exit_status.h"
#include "cli/interrupts.h"
#include "explore/debug_page.h"
#include "explore/explore_report.h"
#include "explore/explorer.h"
#include "explore/finding_places.h"
#include "explore/game_agent.h"
#include "explore/game_browser.h"
#include "explore/walkthrough.h"
#include "foundation/error.h"
#include "foundation/parse_integer.h"
#include "foundation/project_files.h"
#include "foundation/safe_write.h"
#include "generator/page_line_place.h"

namespace fs = std::filesystem;

namespace quenlo::cli {

namespace {

int usage(const std::string& problem, const char* line) {
    std::cerr << "quenlo-cli: " << problem << "\n\nUsage:\n  " << line << "\n";
    return exit_usage;
}

constexpr const char* explore_usage =
    "quenlo-cli explore [--seconds N] [--browser PATH] [--json FILE] [--walkthrough FILE] PROJECT_DIR";
constexpr const char* play_usage = "quenlo-cli play [--browser PATH] PROJECT_DIR [WALKTHROUGH]";

std::string trailing_cut(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

// The browser named, or the first one found; empty after saying which were
// looked for.
std::string browser_or_say(const std::string& named) {
    if (!named.empty()) return named;
    const std::string found = find_browser();
    if (!found.empty()) return found;
    std::string names;
    for (const std::string& name : browser_names()) names += (names.empty() ? "" : ", ") + name;
    std::cerr << "quenlo-cli: no browser found; looked on the PATH for " << names
              << "; name one with --browser PATH\n";
    return {};
}

// The debug page built and open in a browser with the agent in it.
struct Session {
    DebugPage page;
    std::unique_ptr<GameBrowser> browser;
    std::optional<GameAgent> agent;
};

// Opens a session, or says why not and gives the exit status.
int open_session(Session& s, const std::string& folder, const std::string& program_folder,
                 const std::string& browser) {
    s.page = build_debug_page(folder, program_folder);
    if (!s.page.built) {
        for (const std::string& line : s.page.report) std::cout << line << "\n";
        return exit_failed;
    }
    try {
        s.browser = start_browser(browser);
        s.browser->open(file_url(s.page.path));
        s.agent.emplace(*s.browser);
    } catch (const Error& e) {
        std::cerr << "quenlo-cli: " << e.what() << "\n";
        return exit_usage;
    }
    return -1;
}

bool write_file(const std::string& path, const std::string& text) {
    try {
        write_file_safely(path, text);
        return true;
    } catch (const std::exception& e) {
        std::cerr << "quenlo-cli: unable to write " << path << ": " << e.what() << "\n";
        return false;
    }
}

}  // namespace

int run_explore(const std::vector<std::string>& args, const std::string& program_folder) {
    std::string browser, json_file, walk_file, folder;
    long long seconds = 60;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        const bool valued = arg == "--seconds" || arg == "--browser" || arg == "--json" ||
                            arg == "--walkthrough";
        if (valued && k + 1 >= args.size()) return usage(arg + " needs a value", explore_usage);
        if (arg == "--seconds") {
            const auto n = parse_integer(args[++k]);
            if (!n || *n < 1) return usage("--seconds needs a whole number of seconds", explore_usage);
            seconds = *n;
        } else if (arg == "--browser") {
            browser = args[++k];
        } else if (arg == "--json") {
            json_file = args[++k];
        } else if (arg == "--walkthrough") {
            walk_file = args[++k];
        } else if (arg.starts_with("-")) {
            return usage("unknown option " + arg, explore_usage);
        } else if (folder.empty()) {
            folder = trailing_cut(arg);
        } else {
            return usage("only one PROJECT_DIR, please", explore_usage);
        }
    }
    if (folder.empty()) return usage("explore needs a PROJECT_DIR", explore_usage);
    browser = browser_or_say(browser);
    if (browser.empty()) return exit_usage;

    // Ctrl-C ends the search and reports what it found so far.
    std::atomic<bool> stop{false};
    watch_interrupts(stop);
    Session s;
    if (const int status = open_session(s, folder, program_folder, browser); status >= 0) return status;
    ExploreLimits limits;
    limits.time = std::chrono::seconds(seconds);
    limits.stopped = [&stop] { return stop.load(); };
    limits.progress = [](const std::string& line) { std::cerr << line << std::endl; };
    Exploration found;
    try {
        found = explore(*s.agent, s.page.text, limits);
    } catch (const Error& e) {
        std::cerr << "quenlo-cli: " << e.what() << "\n";
        return exit_failed;
    }
    ProjectSources sources(folder);
    const ExploreFindings findings = place_findings(found, s.page.text, s.page.path, sources);
    for (const std::string& line : findings_lines(findings)) std::cout << line << "\n";
    std::cout.flush();
    if (!json_file.empty() && !write_file(json_file, findings_json(found, findings))) return exit_failed;
    if (!walk_file.empty()) {
        if (found.shortest_win.empty())
            std::cerr << "quenlo-cli: no win found, so no walkthrough written\n";
        else if (!write_file(walk_file, walkthrough_text(found.shortest_win)))
            return exit_failed;
    }
    return findings.errors.empty() ? exit_ok : exit_failed;
}

int run_play(const std::vector<std::string>& args, const std::string& program_folder) {
    std::string browser;
    std::vector<std::string> positional;
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--browser") {
            if (k + 1 >= args.size()) return usage("--browser needs a value", play_usage);
            browser = args[++k];
        } else if (args[k].starts_with("-")) {
            return usage("unknown option " + args[k], play_usage);
        } else {
            positional.push_back(args[k]);
        }
    }
    if (positional.empty() || positional.size() > 2)
        return usage("play needs a PROJECT_DIR and at most one WALKTHROUGH", play_usage);
    const std::string folder = trailing_cut(positional[0]);
    std::vector<std::string> walks;
    if (positional.size() == 2) {
        walks.push_back(positional[1]);
    } else {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder, ec))
            if (entry.path().extension() == ".walk") walks.push_back(entry.path().string());
        std::sort(walks.begin(), walks.end());
        if (walks.empty()) {
            std::cerr << "quenlo-cli: no walkthrough (*.walk) in " << folder << "\n";
            return exit_usage;
        }
    }
    for (const std::string& walk : walks)
        if (!file_exists(walk)) return usage("no walkthrough " + walk, play_usage);
    browser = browser_or_say(browser);
    if (browser.empty()) return exit_usage;

    Session s;
    if (const int status = open_session(s, folder, program_folder, browser); status >= 0) return status;
    ProjectSources sources(folder);
    const auto place = [&](const PageError& error) {
        std::vector<std::string> lines;
        if (error.line == 0) return lines;
        SourceLocation where = annotated_page_line(s.page.text, error.line, error.column, sources);
        if (!where.known()) where = page_line_place(s.page.text, s.page.path, error.line);
        return location_block(where, "Script error in the game: " + error.message);
    };
    bool all_held = true;
    for (const std::string& walk : walks) {
        Replay done;
        try {
            done = replay(*s.agent, walk, read_walkthrough(read_text(walk)), place);
        } catch (const Error& e) {
            std::cerr << "quenlo-cli: " << e.what() << "\n";
            return exit_failed;
        }
        for (const std::string& line : done.errors) std::cout << line << "\n";
        if (done.held)
            std::cout << walk << ": " << done.choices << " choices replayed, every expectation held\n";
        all_held = all_held && done.held;
    }
    return all_held ? exit_ok : exit_failed;
}

}  // namespace quenlo::cli
