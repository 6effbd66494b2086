#pragma once
// Where new projects are created and where the folder chooser starts: the
// program folder when it can be written, otherwise "Quenlo" in the home
// folder, created the first time a project goes there.

#include <string>
#include <string_view>

namespace quenlo {

// The projects folder, ending with the separator. `program_folder` ends with
// the separator; an empty `home` leaves only the program folder.
std::string projects_folder(std::string_view program_folder, bool program_folder_writable,
                            std::string_view home);

// The same, testing the program folder for write permission.
std::string projects_folder(std::string_view program_folder, std::string_view home);

bool is_writable_folder(const std::string& folder);

// Creates the projects folder (one level) when it does not exist yet; fails
// with "Cannot create folder "<path>". <reason>".
void ensure_projects_folder(const std::string& folder);

}  // namespace quenlo
