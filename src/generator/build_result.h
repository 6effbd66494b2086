#pragma once
// What one build gives its front ends: the pages it wrote, what it found
// wrong and what it logged. The window, the command line and the preview
// render from this; none of them reads the log back.

#include <string>
#include <vector>

#include "foundation/diagnostic.h"

namespace quenlo {

struct BuildResult {
    bool succeeded = false;
    bool stopped = false;            // ended by the stop button or Ctrl-C
    std::vector<std::string> pages;  // written: the debug page, then the release page
    // The errors, the one the "Error: " line names first, then the warnings.
    std::vector<Diagnostic> diagnostics;
    std::string error_line;        // "Error: ..." as logged; empty on success
    std::vector<std::string> log;  // every line the build logged, as shown

    explicit operator bool() const { return succeeded; }
};

// The report of a failed build: its "Error: " line, then the block of each
// error and warning that has a place. Empty for a build that succeeded.
std::vector<std::string> failure_report(const BuildResult& result);

}  // namespace quenlo
