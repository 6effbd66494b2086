#include "cli/watch_command.h"

#include <iostream>

#include "cli/interrupts.h"
#include "foundation/error.h"
#include "foundation/workspace.h"
#include "generator/pipeline.h"

namespace quenlo::cli {

Rebuilder::Rebuilder(Workspace& workspace, BuildLog& log, BuildUi& ui, bool release)
    : workspace_(workspace),
      log_(log),
      ui_(ui),
      release_(release),
      watcher_(workspace.project_folder) {
    watch_interrupts(workspace_.stop, &quit_);
}

// A build that cannot start (an unreadable "base.qn") says why and counts as
// failed: the author may mend it, and the next save builds again.
BuildResult Rebuilder::build() {
    BuildResult result;
    try {
        result = generate(workspace_, log_, ui_, release_);
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "Error: " << e.what() << '\n';
        result.error_line = std::string("Error: ") + e.what();
    }
    std::cout.flush();
    return result;
}

bool Rebuilder::wait_for_change() {
    if (quit_ || !watcher_.wait_for_change(quit_)) return false;
    std::cout << '\n';
    return true;
}

int build_and_watch(Workspace& workspace, BuildLog& log, BuildUi& ui, bool release) {
    try {
        Rebuilder rebuilder(workspace, log, ui, release);
        rebuilder.build();
        while (rebuilder.wait_for_change()) rebuilder.build();
    } catch (const Error& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace quenlo::cli
