#pragma once
// Where new projects are created and where the folder chooser starts: "Quenlo"
// in the home folder, created the first time a project goes there. Only a
// portable install keeps its projects beside the program: an author's work
// must not live where an uninstall or a clean build deletes it.

#include <string>
#include <string_view>

namespace quenlo {

// The projects folder, ending with the separator. `program_folder` ends with
// the separator; an empty `home` leaves only the program folder.
std::string projects_folder(std::string_view program_folder, bool portable_install,
                            std::string_view home);

// The same, looking at the program folder to see whether it is portable.
std::string projects_folder(std::string_view program_folder, std::string_view home);

// A portable install: the program folder holds a file named "portable" and
// can be written. `program_folder` ends with the separator.
bool is_portable_install(const std::string& program_folder);

bool is_writable_folder(const std::string& folder);

// Creates the projects folder (one level) when it does not exist yet; fails
// with "Cannot create folder "<path>". <reason>".
void ensure_projects_folder(const std::string& folder);

}  // namespace quenlo
