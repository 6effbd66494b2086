#pragma once
// `quenlo-cli build --watch`: one build, then another after each change to a
// source file of the project, until Ctrl-C. `serve` builds the same way.

#include <atomic>

#include "generator/build_result.h"
#include "project/watch_project.h"

namespace quenlo {
class BuildLog;
class BuildUi;
struct Workspace;
}  // namespace quenlo

namespace quenlo::cli {

class Rebuilder {
public:
    // Takes over Ctrl-C and starts watching the workspace's project folder.
    // Fails with quenlo::Error when the folder cannot be watched.
    Rebuilder(Workspace& workspace, BuildLog& log, BuildUi& ui, bool release);

    // One build, its log printed. A build that cannot start has failed.
    BuildResult build();
    // Waits for the next change; false once interrupted.
    bool wait_for_change();

private:
    Workspace& workspace_;
    BuildLog& log_;
    BuildUi& ui_;
    bool release_;
    std::atomic<bool> quit_{false};
    ProjectWatcher watcher_;
};

// Each rebuild prints an empty line, then its whole log. Ctrl-C ends it with
// exit status 0; a folder that cannot be watched with 1.
int build_and_watch(Workspace& workspace, BuildLog& log, BuildUi& ui, bool release);

}  // namespace quenlo::cli
