#pragma once
// Running the phases of a build in tests: one phase at a time over a build
// state of its own, or a whole build of a project folder.

#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "foundation/build.h"
#include "foundation/error.h"
#include "support/temp_project.h"
#include "support/test_host.h"

namespace quenlo::test {

using Files = std::map<std::string, std::string>;  // file name to content

// A build of a temporary project whose phases a test calls itself.
class PhaseHarness {
public:
    explicit PhaseHarness(const std::map<std::string, std::string>& files = {},
                          Switches switches = {})
        : project(files), build(project.path(), switches, false, log, stop) {}

    // The message of the error that `phase` raises, or "(no error)".
    template <typename Phase>
    std::string error_of(Phase&& phase) {
        try {
            phase();
        } catch (const Error& error) {
            return error.what();
        }
        return "(no error)";
    }

    std::vector<std::string> log_texts() const { return sink.texts(); }
    // The logged lines from the first one equal to `first` on.
    std::vector<std::string> log_from(std::string_view first) const;

    TempProject project;
    RecordingLog sink;
    ScriptedEvents events;
    BuildLog log{sink, events};
    std::atomic<bool> stop{false};
    Build build;
};

// What a whole build of a project shows its author.
struct BuildOutcome {
    bool succeeded = false;
    std::vector<std::string> log;
    std::string error;  // the text after "Error: " when the build failed
    std::string page;   // the debug page written, when it succeeded
};

BuildOutcome build_project(const TempFolder& project, Switches switches = {});

// The lines of `text` (split at CR LF, CR or LF) that start with `prefix`.
std::vector<std::string> lines_starting_with(std::string_view text, std::string_view prefix);

// The text between the line equal to `open` and the next line equal to
// `close`, as lines.
std::vector<std::string> lines_between(std::string_view text, std::string_view open,
                                       std::string_view close);

}  // namespace quenlo::test
