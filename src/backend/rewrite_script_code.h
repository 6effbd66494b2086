#pragma once
// Making the author's code runnable by the runtime: variable names become
// indexed accesses into the runtime's variable array, and the macros
// "foreachobject{", "f_showx(", "f_appendx(" and "(CHECKFORAPPEND)" are expanded.
// Every line of the page is trimmed on the way.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quenlo {

class Build;

// How many calls of "f_showx(" and of "f_appendx(" a page may hold: the call
// number indexes the runtime's per-object flag words, which it fills up to 300.
inline constexpr std::size_t numbered_call_limit = 300;

// Every declared variable name in `code` as its access "window.g_var[i]".
std::string replace_variables(std::string_view code, const std::vector<std::string>& lstvar);

// Works on the page; fails with "Too many f_showx calls" or "Too many
// f_appendx calls" when a page holds more than the limit.
void rewrite_script_code(Build& build);

}  // namespace quenlo
