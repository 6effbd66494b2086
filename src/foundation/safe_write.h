#pragma once
// Files Quenlo writes (pages, project files, maps) go to a temporary file in
// the same folder first, which is synced to disk and renamed over the target;
// then the folder is synced. So neither a failed or killed write nor a power
// loss right after it leaves a truncated file: the target holds the old bytes
// or the new ones. A replaced file keeps its permission bits.
//
// The temporary file is named after its target, "<name>.tmp" and eight
// letters or digits, and locked while it is written. A write first removes the
// unlocked temporary files of its target, which only a killed write leaves.

#include <initializer_list>
#include <string>
#include <string_view>

namespace quenlo {

// Fails with "Cannot create file "<path>". <reason>".
void write_file_safely(const std::string& path, std::string_view bytes);
// The same for a file whose bytes are the pieces one after another, so that a
// caller need not join them first.
void write_file_safely(const std::string& path, std::initializer_list<std::string_view> pieces);

// Syncs the folder that holds `path`, so that a rename into it survives a
// power loss. Fails with "Cannot create file "<path>". <reason>".
void sync_folder_of(const std::string& path);

}  // namespace quenlo
