#pragma once
// The names and contents of the files of one folder, to tell what a build
// changed in it.

#include <map>
#include <string>

namespace quenlo::fuzz {

using FolderSnapshot = std::map<std::string, std::string>;  // file name to bytes

FolderSnapshot take_snapshot(const std::string& folder);

// Makes the folder hold exactly `wanted`, writing only the files that differ
// from `current` (what the folder is known to hold).
void restore_folder(const std::string& folder, const FolderSnapshot& current,
                    const FolderSnapshot& wanted);

// "a.html: added", "rooms.qnr: changed", one per line; empty when equal.
std::string describe_changes(const FolderSnapshot& before, const FolderSnapshot& after);

}  // namespace quenlo::fuzz
