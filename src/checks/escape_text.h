#pragma once
// Author text to text that is safe inside a single-quoted JavaScript string
// and as HTML: "''" is a double quote, "^" a line break, lines starting with
// "//" are comments, line breaks and runs of blanks become single blanks.
// A backslash is doubled, so it shows as itself.

#include <string>
#include <string_view>

namespace quenlo {

std::string escape_text(std::string_view text);

// Text kept as it is inside a single-quoted JavaScript string: only the
// backslash and the apostrophe are escaped, and "<" is written "\x3c".
std::string literal_string_content(std::string_view text);

// The value a single-quoted JavaScript string with this content stands for:
// the escapes "\\", "\'" and "\xHH" undone, everything else as it is.
std::string string_value(std::string_view content);

}  // namespace quenlo
