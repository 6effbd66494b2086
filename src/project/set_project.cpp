#include "project/set_project.h"

#include "foundation/build_log.h"
#include "foundation/project_files.h"
#include "foundation/workspace.h"
#include "project/dialogs.h"

namespace quenlo {

std::string window_title(std::string_view project_folder) {
    std::string title = "Quenlo ";
    title += quenlo_version;
    title += " - ";
    if (project_folder.empty())
        title += "< no project selected >";
    else
        title += project_folder;
    return title;
}

namespace {

// Only existence counts: an empty file is present. A file the folder does not
// let us see (no permission, a symbolic link loop) counts as missing.
bool has_required_files(const std::string& folder) {
    for (const std::string_view name : required_project_files)
        if (!file_exists(project_path(folder, name))) return false;
    return true;
}

void clear_project(ProjectHost& host) {
    host.view.set_project_menus(false);
    host.workspace.project_folder.clear();
    host.view.set_title(window_title(""));
}

}  // namespace

bool is_project_folder(const std::string& folder) {
    return folder_exists(folder) && has_required_files(folder);
}

bool set_project(ProjectHost& host, const std::string& folder) {
    if (!folder_exists(folder)) {
        host.log.log_line("Error: unable to find project folder!");
        host.dialogs.show_message(MessageKind::error, "Unable to find project folder!");
        return false;
    }
    clear_project(host);
    if (!has_required_files(folder)) {
        host.log.log_line("Error: Files invalid or corrupted!!");
        host.dialogs.show_message(MessageKind::error, "Files invalid or corrupted!");
        return false;
    }
    host.workspace.project_folder = folder;
    host.view.set_title(window_title(folder));
    host.view.set_project_menus(true);
    host.log.log_line("");
    host.log.log_line("\xC2\xA3Set project: " + folder);
    return true;
}

bool choose_and_set_project(ProjectHost& host, std::string start) {
    std::string proposed = std::move(start);
    for (;;) {
        const std::optional<std::string> chosen = host.dialogs.choose_folder(proposed);
        if (!chosen) return false;
        proposed = *chosen;
        if (set_project(host, proposed)) return true;
    }
}

}  // namespace quenlo
