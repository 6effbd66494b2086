#pragma once
// What an exploration found, told the way builds tell their faults: a
// location block for each finding, the most serious first, then a summary;
// also as JSON for tools, and the shortest win as a walkthrough.

#include <string>
#include <string_view>
#include <vector>

#include "explore/explorer.h"
#include "foundation/diagnostic.h"
#include "foundation/project_sources.h"

namespace quenlo {

struct ExploreFindings {
    std::vector<Diagnostic> errors;    // script errors, then lost causes
    std::vector<Diagnostic> warnings;  // rooms never entered, objects never shown, idle verbs
    std::vector<std::string> summary;
};

// The findings of `exploration` placed in the project's files; `page` is the
// debug page at `page_path`, whose annotations lead to the authors' lines.
ExploreFindings place_findings(const Exploration& exploration, std::string_view page,
                               const std::string& page_path, ProjectSources& sources);

// The blocks of the findings and the summary, as printed.
std::vector<std::string> findings_lines(const ExploreFindings& findings);

// The report for tools.
std::string findings_json(const Exploration& exploration, const ExploreFindings& findings);

// A walkthrough file: one choice a line, then "= WIN".
std::string walkthrough_text(const Path& win);

// "a > b; c > d".
std::string path_text(const Path& path);

}  // namespace quenlo
