#pragma once
// The "New project" command: asks for a name until a project is created in the
// projects folder (or the author gives up), then sets it as the project.

#include <optional>
#include <string>
#include <string_view>

#include "project/project_host.h"

namespace quenlo {

// A name is one folder name: not empty, not "." or "..", and without a path
// separator of any platform.
bool is_valid_project_name(std::string_view name);

// Runs the name dialog loop, creating the project in `projects_folder` (which
// ends with the separator and is created when missing). Returns the new
// project folder, or nothing when the dialog was cancelled or left blank.
std::optional<std::string> new_project(ProjectHost& host, const std::string& projects_folder);

}  // namespace quenlo
