#pragma once
// The characters each kind of source file may hold, written out plainly from
// the authors' rules, and the first one that breaks them, found by the
// slowest obvious search, to compare with the character check.

#include <optional>
#include <string>
#include <string_view>

#include "checks/check_characters.h"

namespace quenlo::fuzz {

// The code points of well-formed UTF-8 text.
std::u32string code_points(std::string_view utf8_text);

// The first character above code 32 that the kind of file does not permit.
std::optional<char32_t> first_forbidden(std::u32string_view text, CheckKind kind);

}  // namespace quenlo::fuzz
