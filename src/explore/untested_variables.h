#pragma once
// Which variables tell no two states of a game apart: the explorer leaves
// them out of its states, as it does the discovered rooms of the maps and the
// selected map, which are only drawn and never tested.

#include <set>
#include <string_view>

namespace quenlo {

// The variables (0 to 99) of `page` that no script or condition tests: every
// use of "window.g_var[N]" in it sets the variable to a number, adds a
// number to itself, or is put into a text that is shown.
std::set<int> untested_variables(std::string_view page);

}  // namespace quenlo
