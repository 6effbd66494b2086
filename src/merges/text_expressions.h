#pragma once
// The success and failure texts show the value of a JavaScript expression
// written between braces, such as "{g_var[3]}": inside the page's string the
// braces become string joints, "'+" and "+'".

#include <string>
#include <string_view>

namespace quenlo {

// Converted text to string content with every brace pair that encloses a
// plain expression (names, numbers, member and index access, calls and
// arithmetic) joined in. Any other brace is kept as a character, so no text
// can leave the page's string open or hand the script a broken expression.
std::string join_expressions(std::string_view text);

}  // namespace quenlo
