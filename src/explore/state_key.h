#pragma once
// When two saved games are one state for the explorer: the record without
// what no condition or script ever tests. The discovered rooms of the maps
// and the selected map are only drawn, never tested; a variable is left out
// when the page's scripts only count it, set it or show it.

#include <set>
#include <string>
#include <string_view>

namespace quenlo {

// The variables (0 to 99) of `page` that no script or condition tests: every
// use of "window.g_var[N]" in it sets the variable to a number, adds a
// number to itself, or is put into a text that is shown.
std::set<int> untested_variables(std::string_view page);

// The part of a saved-game record (690 fields joined by ",") that tells
// states apart: the room, the objects' positions and state bits and the
// tested variables.
std::string state_key(std::string_view record, const std::set<int>& untested);

}  // namespace quenlo
