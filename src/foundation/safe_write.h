#pragma once
// Files Quenlo writes (pages, project files, maps) go to a temporary file in
// the same folder first and are renamed over the target, so a failed or
// interrupted write never leaves a truncated file and the old file stays intact.

#include <string>
#include <string_view>

namespace quenlo {

// Fails with "Cannot create file "<path>". <reason>".
void write_file_safely(const std::string& path, std::string_view bytes);

}  // namespace quenlo
