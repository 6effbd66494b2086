#pragma once
// A rebuilt page that differs from the one before only inside one script
// element can be brought up to date where it is open: that script's text is
// mended line by line and run again, and the page starts as after a load.
// This saves the browser reading, decoding and parsing the whole page anew.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenlo {

// Lines count as a browser counts them in a script's text: CR LF, LF and a
// lone CR each end one.
struct ScriptPatch {
    std::size_t script = 0;       // which script element, from 0 in page order
    std::size_t lines = 0;        // lines of its old text
    std::size_t kept_before = 0;  // its first lines that stay
    std::size_t kept_after = 0;   // its last lines that stay
    std::vector<std::string> inserted;  // the new lines between them
};

// The patch from `old_page` to `new_page`, or nothing when they differ
// anywhere else than in the text of one script element, are the same, or
// hold a script whose end an HTML parser might find elsewhere ("<!--" in it).
std::optional<ScriptPatch> script_patch(std::string_view old_page, std::string_view new_page);

}  // namespace quenlo
