#pragma once
// UTF-8 validity decided here by the standard's table of well-formed byte
// sequences, apart from the code under test, so that a fault in Quenlo's own
// decoder cannot hide itself.

#include <string_view>

namespace quenlo::fuzz {

bool is_well_formed_utf8(std::string_view bytes);

}  // namespace quenlo::fuzz
