#pragma once
// Author text to text that is safe inside a single-quoted JavaScript string
// and as HTML: "''" is a double quote, "^" a line break, lines starting with
// "//" are comments, line breaks and runs of blanks become single blanks.

#include <string>
#include <string_view>

namespace quenlo {

std::string escape_text(std::string_view text);

}  // namespace quenlo
