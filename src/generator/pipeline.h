#pragma once
// The one operation that turns a project folder into the playable pages.

#include <string_view>

#include "generator/build_result.h"

namespace quenlo {

class BuildLog;
struct Workspace;

// What a build needs from the user interface besides the log.
class BuildUi {
public:
    virtual ~BuildUi() = default;
    // The modal error dialog shown when a build fails.
    virtual void show_error(std::string_view text) = 0;
    // While a build runs the menus are disabled and the stop button shown.
    virtual void set_building(bool running) = 0;
};

// Runs one build of the workspace's project folder: a debug page, and with
// `release` also the release page. The outcome is shown in the log and, on
// failure, through the error dialog, and returned as data. Only an unreadable
// "base.qn" in the project folder escapes as an error, before anything starts.
BuildResult generate(Workspace& workspace, BuildLog& log, BuildUi& ui, bool release);

}  // namespace quenlo
