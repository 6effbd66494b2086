#include "project/new_project.h"

#include <exception>

#include "foundation/build_log.h"
#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/text.h"
#include "foundation/workspace.h"
#include "project/dialogs.h"
#include "project/new_project_files.h"
#include "project/projects_folder.h"
#include "project/set_project.h"

namespace quenlo {

bool is_valid_project_name(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    constexpr std::string_view separators("/\\\0", 3);
    return name.find_first_of(separators) == std::string_view::npos;
}

namespace {

// Creating the project, as one step that either succeeds or fails; an invalid
// name fails here like any folder the file system refuses, so nothing is ever
// written outside the projects folder.
bool create_project(ProjectHost& host, const std::string& projects_folder,
                    const std::string& name) {
    try {
        if (!is_valid_project_name(name)) throw Error("Not a folder name: " + name);
        ensure_projects_folder(projects_folder);
        write_new_project(host.workspace.reDefault, projects_folder + name);
        return true;
    } catch (const std::exception&) {
        host.log.log_line("Error: unable to create new project folder or files!");
        host.dialogs.show_message(MessageKind::error,
                                  "Unable to create new project folder or files!");
        return false;
    }
}

}  // namespace

std::optional<std::string> new_project(ProjectHost& host, const std::string& projects_folder) {
    for (;;) {
        const std::optional<std::string> answer =
            host.dialogs.input_text("Create new project", "Enter project name",
                                    "The project folder will be made in " + projects_folder);
        if (!answer) return std::nullopt;
        const std::string name = trim(*answer);
        if (name.empty()) return std::nullopt;

        const std::string folder = projects_folder + name;
        if (is_valid_project_name(name) && folder_exists(folder)) {
            host.dialogs.show_message(MessageKind::warning, "Project name is already used!");
            continue;
        }
        host.log.log_line("Creating project files...");
        host.log.events().process_events();
        if (!create_project(host, projects_folder, name)) continue;

        host.log.log_line(
            "\xC2\xA3"
            "Created new project: " +
            folder);
        set_project(host, folder);
        return folder;
    }
}

}  // namespace quenlo
