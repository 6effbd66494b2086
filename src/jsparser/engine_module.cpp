#include "jsparser/engine_module.h"

#include <stdexcept>
#include <string>
#include <variant>

#include "foundation/program_module.h"

namespace quenlo {

namespace {

std::variant<const EngineEntry*, std::string> load_module() {
    try {
        const auto entry = reinterpret_cast<EngineEntryFunction>(program_module_symbol(
            "libquenlo_jsengine.so", QUENLO_JSENGINE_MODULE_BUILT, engine_entry_symbol));
        return entry();
    } catch (const std::runtime_error& failure) {
        return std::string(failure.what());
    }
}

}  // namespace

const EngineEntry& engine_module() {
    static const std::variant<const EngineEntry*, std::string> loaded = load_module();
    if (const auto* why = std::get_if<std::string>(&loaded)) throw engine_start_failure(*why);
    return *std::get<const EngineEntry*>(loaded);
}

}  // namespace quenlo
