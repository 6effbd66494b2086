#pragma once
// Names an author defines (variables, rooms, objects) and the base name of the
// generated files may hold only ASCII letters, digits and "_".

#include <string_view>

namespace quenlo {

bool is_definition_name(std::string_view name);

// Fails with "invalid definition: " + the whole name.
void check_definition_name(std::string_view name);

}  // namespace quenlo
