#include "project/projects_folder.h"

#include <unistd.h>

#include <filesystem>

#include "foundation/project_files.h"
#include "project/new_project_files.h"

namespace quenlo {

namespace {

constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);

std::string with_separator(std::string folder) {
    if (folder.empty() || folder.back() != separator) folder += separator;
    return folder;
}

}  // namespace

std::string projects_folder(std::string_view program_folder, bool portable_install,
                            std::string_view home) {
    if (portable_install || home.empty()) return with_separator(std::string(program_folder));
    return with_separator(project_path(home, "Quenlo"));
}

std::string projects_folder(std::string_view program_folder, std::string_view home) {
    return projects_folder(program_folder, is_portable_install(std::string(program_folder)), home);
}

bool is_portable_install(const std::string& program_folder) {
    return file_exists(program_folder + "portable") && is_writable_folder(program_folder);
}

bool is_writable_folder(const std::string& folder) {
    return folder_exists(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

void ensure_projects_folder(const std::string& folder) {
    if (!folder_exists(folder)) create_folder(folder);
}

}  // namespace quenlo
