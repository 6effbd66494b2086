#pragma once
// Reads the calls and names of an author's script (see foundation/script_calls.h).

#include <string>
#include <string_view>
#include <unordered_set>

#include "foundation/script_calls.h"

namespace quenlo {

ScriptUses scan_script_uses(std::string_view script, std::string_view file);

// Adds every name of `text` that is no code, such as a room's description or
// a success text, to `names`: each run of letters, digits and "_" that does
// not start with a digit.
void add_text_names(std::string_view text, std::unordered_set<std::string>& names);

}  // namespace quenlo
