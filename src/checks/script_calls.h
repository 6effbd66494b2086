#pragma once
// Reads the calls and names of an author's script (see foundation/script_calls.h).

#include <string_view>

#include "foundation/script_calls.h"

namespace quenlo {

ScriptUses scan_script_uses(std::string_view script, std::string_view file);

}  // namespace quenlo
