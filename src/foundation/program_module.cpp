#include "foundation/program_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace quenlo {

namespace {

std::vector<std::string> module_candidates(const std::string& file_name,
                                           const std::string& built_path) {
    std::vector<std::string> candidates;
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (!failed)
        candidates.push_back(
            (program.parent_path().parent_path() / "lib" / "quenlo" / file_name).string());
    candidates.push_back(built_path);
    return candidates;
}

}  // namespace

void* program_module_symbol(const std::string& file_name, const std::string& built_path,
                            const char* symbol) {
    for (const std::string& path : module_candidates(file_name, built_path)) {
        std::error_code failed;
        if (!std::filesystem::exists(path, failed)) continue;
        // dlopen counts its loads: a module loaded again is the same one.
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            const char* error = dlerror();
            throw std::runtime_error(error ? error : "its module " + file_name + " did not load");
        }
        void* found = dlsym(module, symbol);
        if (!found) throw std::runtime_error(path + " has no entry " + symbol);
        return found;
    }
    throw std::runtime_error("its module " + file_name + " was not found");
}

}  // namespace quenlo
