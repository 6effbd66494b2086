#include "explore/explore_session.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "explore/debug_page.h"
#include "explore/explore_report.h"
#include "explore/finding_places.h"
#include "explore/game_agent.h"
#include "explore/game_browser.h"
#include "explore/walkthrough.h"
#include "foundation/error.h"
#include "foundation/project_files.h"
#include "generator/page_line_place.h"

namespace quenlo {

namespace {

// Builds the page and opens it in the browser, or says why not.
template <typename Play>
SessionReport with_page(const std::string& folder, const std::string& program_folder, Play&& play) {
    SessionReport report;
    const std::string browser = find_browser();
    if (browser.empty()) {
        std::string names;
        for (const std::string& name : browser_names()) names += (names.empty() ? "" : ", ") + name;
        report.lines.push_back({"Error: no browser found; looked on the PATH for " + names, {}});
        report.faults = true;
        return report;
    }
    const DebugPage page = build_debug_page(folder, program_folder);
    if (!page.built) {
        for (const std::string& line : page.report) report.lines.push_back({line, {}});
        report.faults = true;
        return report;
    }
    try {
        std::unique_ptr<GameBrowser> session = start_browser(browser);
        session->open(file_url(page.path));
        GameAgent agent(*session);
        play(page, agent, report);
    } catch (const Error& e) {
        report.lines.push_back({std::string("Error: ") + e.what(), {}});
        report.faults = true;
    }
    return report;
}

}  // namespace

SessionReport explore_project(const std::string& folder, const std::string& program_folder,
                              const ExploreLimits& limits) {
    return with_page(folder, program_folder, [&](const DebugPage& page, GameAgent& agent, SessionReport& report) {
        const Exploration found = explore(agent, page.text, limits);
        ProjectSources sources(folder);
        const ExploreFindings findings = place_findings(found, page.text, page.path, sources);
        for (const auto* group : {&findings.errors, &findings.warnings})
            for (const Diagnostic& d : *group) {
                std::vector<BlockLine> block = diagnostic_block(d);
                if (block.empty()) block.push_back({d.text, {}});
                report.lines.insert(report.lines.end(), block.begin(), block.end());
            }
        for (const std::string& line : findings.summary) report.lines.push_back({line, {}});
        report.faults = !findings.errors.empty();
    });
}

SessionReport replay_project(const std::string& folder, const std::string& program_folder) {
    std::vector<std::string> walks;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.path().extension() == ".walk") walks.push_back(entry.path().string());
    std::sort(walks.begin(), walks.end());
    if (walks.empty()) return {true, {{"Error: no walkthrough (*.walk) in " + folder, {}}}};
    return with_page(folder, program_folder, [&](const DebugPage& page, GameAgent& agent, SessionReport& report) {
        ProjectSources sources(folder);
        const auto place = [&](const PageError& error) {
            if (error.line == 0) return std::vector<std::string>{};
            SourceLocation where = annotated_page_line(page.text, error.line, error.column, sources);
            if (!where.known()) where = page_line_place(page.text, page.path, error.line);
            return location_block(where, "Script error in the game: " + error.message);
        };
        for (const std::string& walk : walks) {
            const Replay done = replay(agent, walk, read_walkthrough(read_text(walk)), place);
            for (const std::string& line : done.errors)
                report.lines.push_back({line, line.starts_with(walk + ":") ? walk : std::string()});
            if (done.held)
                report.lines.push_back({walk + ": " + std::to_string(done.choices) +
                                            " choices replayed, every expectation held",
                                        walk});
            report.faults = report.faults || !done.held;
        }
    });
}

}  // namespace quenlo
