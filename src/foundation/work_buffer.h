#pragma once
// The generated-code buffers that the compilers hand to the script sections
// (`reAddMenu`, `reAddCond`, ...) are lists of lines kept as one
// string in which every line, the last one too, is followed by CR LF. So an
// empty string has no lines and "\r\n" holds one empty line.

#include <string>
#include <string_view>

#include "foundation/text.h"

namespace quenlo {

inline void append_line(std::string& buffer, std::string_view line) {
    buffer.append(line);
    buffer.append(crlf);
}

// The buffer read as one text: its lines joined by CR LF.
inline std::string_view buffer_text(std::string_view buffer) {
    if (buffer.ends_with(crlf)) buffer.remove_suffix(crlf.size());
    return buffer;
}

}  // namespace quenlo
