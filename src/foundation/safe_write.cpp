#include "foundation/safe_write.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

#include "foundation/error.h"

namespace quenlo {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view temporary_marker = ".tmp";
constexpr std::string_view temporary_letters = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t temporary_letter_count = 8;

Error cannot_create(const std::string& path, int error_number) {
    return Error("Cannot create file \"" + path + "\". " + std::strerror(error_number));
}

// A file descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

bool is_temporary_of(std::string_view candidate, std::string_view target_name) {
    const std::size_t stem = target_name.size() + temporary_marker.size();
    if (candidate.size() != stem + temporary_letter_count) return false;
    if (candidate.substr(0, target_name.size()) != target_name) return false;
    if (candidate.substr(target_name.size(), temporary_marker.size()) != temporary_marker)
        return false;
    return candidate.substr(stem).find_first_not_of(temporary_letters) == std::string_view::npos;
}

// A temporary file nobody holds locked was left by a killed write: a live
// writer keeps its lock until the rename, and the system drops the lock of a
// process that dies.
void remove_orphaned_temporaries(const fs::path& target) {
    const std::string target_name = target.filename().string();
    std::error_code ec;
    fs::directory_iterator entries(target.parent_path().empty() ? "." : target.parent_path(), ec);
    for (; !ec && entries != fs::directory_iterator(); entries.increment(ec)) {
        const fs::path& candidate = entries->path();
        if (!is_temporary_of(candidate.filename().string(), target_name)) continue;
        Descriptor file(::open(candidate.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
        if (file.valid() && ::flock(file.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlink(candidate.c_str());
    }
}

std::string temporary_name_beside(const std::string& path) {
    std::random_device entropy;
    std::string name = path + std::string(temporary_marker);
    for (std::size_t i = 0; i < temporary_letter_count; ++i)
        name += temporary_letters[entropy() % temporary_letters.size()];
    return name;
}

// Creates a new temporary file beside `path`, never reusing an existing one,
// and locks it. Fills `temporary` with its name.
Descriptor create_temporary(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporary = temporary_name_beside(path);
        Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file.valid()) {
            // Another write's clean-up may have taken the new file for an
            // orphan before it was locked; it unlinks it before letting go.
            // (Where there are no locks, no clean-up removes anything.)
            ::flock(file.get(), LOCK_EX);
            struct stat status {};
            if (::fstat(file.get(), &status) != 0 || status.st_nlink > 0) return file;
            continue;
        }
        if (errno != EEXIST) throw cannot_create(path, errno);
    }
    throw cannot_create(path, EEXIST);
}

// Zero when every byte is written, else the error number.
int write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Fills the temporary file, with the permission bits of the file it will
// replace, and puts its bytes on disk. Zero on success, else the error number.
int fill_temporary(const Descriptor& file, const std::string& path,
                   std::initializer_list<std::string_view> pieces) {
    struct stat replaced {};
    if (::stat(path.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode) &&
        ::fchmod(file.get(), replaced.st_mode & 07777) != 0)
        return errno;
    for (const std::string_view bytes : pieces)
        if (const int error = write_all(file.get(), bytes)) return error;
    if (::fsync(file.get()) != 0) return errno;
    return 0;
}

}  // namespace

void sync_folder_of(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    Descriptor handle(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!handle.valid()) throw cannot_create(path, errno);
    // Some file systems cannot sync a folder at all; they keep renames anyway.
    if (::fsync(handle.get()) != 0 && errno != EINVAL && errno != ENOTSUP)
        throw cannot_create(path, errno);
}

void write_file_safely(const std::string& path, std::string_view bytes) {
    write_file_safely(path, {bytes});
}

void write_file_safely(const std::string& path, std::initializer_list<std::string_view> pieces) {
    StagedFile(path, pieces).commit();
}

StagedFile::StagedFile(std::string path, std::initializer_list<std::string_view> pieces)
    : path_(std::move(path)) {
    std::error_code ec;
    if (fs::is_directory(path_, ec)) throw cannot_create(path_, EISDIR);
    remove_orphaned_temporaries(path_);
    Descriptor file = create_temporary(path_, temporary_);
    if (const int error = fill_temporary(file, path_, pieces)) {
        ::unlink(temporary_.c_str());
        throw cannot_create(path_, error);
    }
    fd_ = file.release();
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : path_(std::move(other.path_)),
      temporary_(std::exchange(other.temporary_, {})),
      fd_(std::exchange(other.fd_, -1)) {}

StagedFile::~StagedFile() {
    drop();
}

void StagedFile::commit() {
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        drop();
        throw cannot_create(path_, error);
    }
    temporary_.clear();
    drop();
    sync_folder_of(path_);
}

void StagedFile::drop() {
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace quenlo
