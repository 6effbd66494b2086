#include "folder_snapshot.h"

#include <filesystem>
#include <fstream>

#include "foundation/project_files.h"
#include "fuzz_check.h"

namespace quenlo::fuzz {

namespace fs = std::filesystem;

FolderSnapshot take_snapshot(const std::string& folder) {
    FolderSnapshot snapshot;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        require(entry.is_regular_file(), "the project folder holds only files", name);
        snapshot.emplace(name, read_bytes(entry.path().string()));
    }
    return snapshot;
}

void restore_folder(const std::string& folder, const FolderSnapshot& current,
                    const FolderSnapshot& wanted) {
    for (const auto& [name, bytes] : current)
        if (!wanted.contains(name)) fs::remove(project_path(folder, name));
    for (const auto& [name, bytes] : wanted) {
        const auto found = current.find(name);
        if (found != current.end() && found->second == bytes) continue;
        std::ofstream file(project_path(folder, name), std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        require(file.good(), "a scratch project file can be written", name);
    }
}

std::string describe_changes(const FolderSnapshot& before, const FolderSnapshot& after) {
    std::string changes;
    for (const auto& [name, bytes] : before) {
        const auto found = after.find(name);
        if (found == after.end())
            changes += name + ": removed\n";
        else if (found->second != bytes)
            changes += name + ": changed\n";
    }
    for (const auto& [name, bytes] : after)
        if (!before.contains(name)) changes += name + ": added\n";
    return changes;
}

}  // namespace quenlo::fuzz
