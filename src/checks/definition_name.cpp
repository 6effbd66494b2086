#include "checks/definition_name.h"

#include <string>

#include "foundation/error.h"

namespace quenlo {

bool is_definition_name(std::string_view name) {
    for (char c : name) {
        const bool ok =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) return false;
    }
    return true;
}

void check_definition_name(std::string_view name) {
    if (!is_definition_name(name)) throw Error("invalid definition: " + std::string(name));
}

}  // namespace quenlo
