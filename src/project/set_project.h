#pragma once
// Making a folder the current project: it must exist and hold the 21 source
// files every build reads.

#include <array>
#include <string>
#include <string_view>

#include "project/project_host.h"

namespace quenlo {

// In the order they are checked. "functions.qna" is optional and not among them.
inline constexpr std::array<std::string_view, 21> required_project_files = {
    "coverimage.qn", "help.qni",        "messages.qnr",   "objects.qno",  "rooms.qnr",
    "variables.qnv", "actions.qna",     "conditions.qna", "counters.qna", "success.qni",
    "fail.qni",      "successimage.qn", "failimage.qn",   "intro.qni",    "map1.qn",
    "mapimage1.qn",  "map2.qn",         "mapimage2.qn",   "map3.qn",      "mapimage3.qn",
    "connections.qn"};

// Whether `folder` exists and holds every required file: what set project
// accepts, asked without a word in the log.
bool is_project_folder(const std::string& folder);

// Sets `folder` (stored exactly as given) as the project. A folder that does
// not exist changes nothing; an existing one first clears the current project,
// so a folder missing a file leaves no project set. Reports through the log
// and a message box; true when the project is set.
bool set_project(ProjectHost& host, const std::string& folder);

// The "Set project" command: the folder chooser, opened on `start`, then set
// project on the chosen folder, again and again on the folder last chosen
// until a project is set or the chooser is cancelled.
bool choose_and_set_project(ProjectHost& host, std::string start);

}  // namespace quenlo
