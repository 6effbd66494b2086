#pragma once
// The fixed name lists of the back end. Their order is behaviour: each name is
// deleted or replaced everywhere before the next one is looked for, so a name
// that contains an earlier one is partly consumed by it.

#include <array>
#include <string_view>

namespace quenlo {

// Every name the runtime itself defines or the base script holds with an
// underscore, in the order the unknown-identifier check deletes them.
extern const std::array<std::string_view, 228> known_runtime_identifiers;

// The runtime names that the release page shortens: the name at position k
// becomes "_fu" + k, in this order.
extern const std::array<std::string_view, 201> release_renamed_names;

}  // namespace quenlo
