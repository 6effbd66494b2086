#pragma once
// The verbs that scripts test with f_action, against the verbs the game's
// menus offer: a verb that no menu offers for its object makes a test that is
// never true, and the action it guards never happens.

#include <string>
#include <string_view>

namespace quenlo {

class Build;

// The verb that a single-quoted string with this content gives the game, as
// f_action compares verbs: trimmed, letters in lower case.
std::string verb_key(std::string_view content);

// Warns at each f_action call whose verb the object's menu never offers.
void warn_about_verbs_never_offered(Build& build);

}  // namespace quenlo
