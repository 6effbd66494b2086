#include "jsparser/engine_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <variant>
#include <vector>

namespace quenlo {

namespace {

constexpr const char* module_name = "libquenlo_jsengine.so";

// Installed, the module lies in lib/quenlo beside the programs' bin; in the
// build tree, where the build put it.
std::vector<std::string> module_candidates() {
    std::vector<std::string> candidates;
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (!failed)
        candidates.push_back(
            (program.parent_path().parent_path() / "lib" / "quenlo" / module_name).string());
    candidates.emplace_back(QUENLO_ENGINE_MODULE_BUILT);
    return candidates;
}

std::variant<const EngineEntry*, std::string> load_module() {
    std::string why = "its module " + std::string(module_name) + " was not found";
    for (const std::string& path : module_candidates()) {
        std::error_code failed;
        if (!std::filesystem::exists(path, failed)) continue;
        // Never unloaded: the engine's state lives until the process ends.
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            const char* error = dlerror();
            return std::string(error ? error : "its module did not load");
        }
        const auto entry =
            reinterpret_cast<EngineEntryFunction>(dlsym(module, engine_entry_symbol));
        if (!entry) return path + " has no engine entry";
        return entry();
    }
    return why;
}

}  // namespace

const EngineEntry& engine_module() {
    static const std::variant<const EngineEntry*, std::string> loaded = load_module();
    if (const auto* why = std::get_if<std::string>(&loaded)) throw engine_start_failure(*why);
    return *std::get<const EngineEntry*>(loaded);
}

}  // namespace quenlo
