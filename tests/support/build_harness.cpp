#include "support/build_harness.h"

#include "foundation/text.h"
#include "foundation/workspace.h"
#include "generator/pipeline.h"

namespace quenlo::test {

std::vector<std::string> PhaseHarness::log_from(std::string_view first) const {
    const std::vector<std::string> all = sink.texts();
    const int at = sink.index_of(first);
    if (at < 0) return {};
    return {all.begin() + at, all.end()};
}

BuildOutcome build_project(const TempFolder& project, Switches switches) {
    Workspace workspace;
    workspace.project_folder = project.path();
    workspace.switches = switches;
    RecordingLog sink;
    ScriptedEvents events;
    BuildLog log(sink, events);
    RecordingUi ui;

    const BuildResult result = generate(workspace, log, ui, false);
    BuildOutcome outcome;
    outcome.succeeded = result.succeeded;
    outcome.log = sink.texts();
    if (!result.succeeded)
        outcome.error = result.error_line.substr(std::string_view("Error: ").size());
    if (!result.pages.empty()) {
        const std::string& path = result.pages.front();
        outcome.page = project.read(path.substr(path.find_last_of("/\\") + 1));
    }
    return outcome;
}

std::vector<std::string> lines_starting_with(std::string_view text, std::string_view prefix) {
    std::vector<std::string> found;
    for_each_line(text, [&](std::string_view line) {
        if (line.starts_with(prefix)) found.emplace_back(line);
    });
    return found;
}

std::vector<std::string> lines_between(std::string_view text, std::string_view open,
                                       std::string_view close) {
    std::vector<std::string> found;
    int state = 0;  // 0 before, 1 inside, 2 after
    for_each_line(text, [&](std::string_view line) {
        if (state == 0 && line == open) {
            state = 1;
        } else if (state == 1 && line == close) {
            state = 2;
        } else if (state == 1) {
            found.emplace_back(line);
        }
    });
    return found;
}

}  // namespace quenlo::test
