#include "scratch_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "fuzz_check.h"

namespace quenlo::fuzz {

namespace {

namespace fs = std::filesystem;

// scripts/fuzz.sh names a folder that it removes itself, also after a crash.
fs::path scratch_root() {
    if (const char* given = std::getenv("QUENLO_FUZZ_SCRATCH"); given && *given) return given;
    std::error_code ec;
    if (fs::is_directory("/dev/shm", ec)) return "/dev/shm";
    return fs::temp_directory_path();
}

// libFuzzer calls the target once per input and owns the process, so the
// folders made for it can only live in a process-wide table, emptied at exit.
std::map<std::string, std::string>& folders() {
    static std::map<std::string, std::string> made;
    return made;
}

void remove_folders() {
    std::error_code ec;
    for (const auto& [tag, folder] : folders()) fs::remove_all(folder, ec);
}

}  // namespace

const std::string& scratch_folder(const std::string& tag) {
    auto& made = folders();
    if (const auto found = made.find(tag); found != made.end()) return found->second;
    if (made.empty()) std::atexit(remove_folders);
    const fs::path folder =
        scratch_root() / ("quenlo-fuzz-" + tag + "-" + std::to_string(::getpid()));
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder, ec);
    require(!ec, "the scratch folder can be made", folder.string());
    return made.emplace(tag, folder.string()).first->second;
}

}  // namespace quenlo::fuzz
