#pragma once
// Explore and replay as a window runs them: the whole command from building
// the debug page to the placed findings, told as log lines, a location line
// naming its file.

#include <string>
#include <vector>

#include "explore/explorer.h"
#include "foundation/diagnostic.h"

namespace quenlo {

struct SessionReport {
    bool faults = false;  // a script error, a lost cause or a walkthrough that failed
    std::vector<BlockLine> lines;
};

// Explores the project in `folder` with the first browser found.
SessionReport explore_project(const std::string& folder, const std::string& program_folder,
                              const ExploreLimits& limits);

// Replays every walkthrough (*.walk) of the project in `folder`.
SessionReport replay_project(const std::string& folder, const std::string& program_folder);

}  // namespace quenlo
