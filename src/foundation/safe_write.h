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

// A file written and synced under its temporary name beside `path`, not yet
// in its place: commit() renames it over `path` and syncs the folder; one
// destroyed uncommitted is removed. For a write that must wait for a verdict
// (a page whose script is still being checked), yet need not wait to start.
// Fails as write_file_safely does, when made or when committed.
class StagedFile {
public:
    StagedFile(std::string path, std::initializer_list<std::string_view> pieces);
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&&) = delete;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile();

    const std::string& path() const { return path_; }
    void commit();

private:
    void drop();

    std::string path_;
    std::string temporary_;  // empty once renamed or dropped
    int fd_ = -1;            // held open, and so locked, until the rename
};

// Syncs the folder that holds `path`, so that a rename into it survives a
// power loss. Fails with "Cannot create file "<path>". <reason>".
void sync_folder_of(const std::string& path);

}  // namespace quenlo
