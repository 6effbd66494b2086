#pragma once
// Author numbers (message, room and variable indexes, weights, map cells) are
// plain decimal integers with an optional sign; nothing else is a number.

#include <optional>
#include <string_view>

namespace quenlo {

// The value of an optional "+" or "-" followed by one or more decimal digits
// and nothing else, when it fits in a 32-bit int; otherwise nothing. No blank
// is skipped.
std::optional<int> parse_integer(std::string_view text);

}  // namespace quenlo
