#pragma once
// Before anything is compiled, each source file is checked for characters
// that its kind of file cannot carry, so the author gets the character named
// instead of a broken page.

#include <optional>
#include <string>
#include <string_view>

namespace quenlo {

class Build;

enum class CheckKind {
    script = 1,        // rooms, objects and the script files
    message = 2,       // "messages.qnr"
    variable = 3,      // "variables.qnv"
    text = 4,          // help, success and failure texts
    introduction = 5,  // "intro.qni"
};

// The first character of `text` that is neither a control character or blank
// (code 32 or less) nor in the permitted set of `kind`.
std::optional<char32_t> first_invalid_character(std::string_view text, CheckKind kind);

// Reads the project file `file_name` through the build's sources, logs "%Check chars in file: <path>" and, unless the build
// skips the check (then it logs " skipped!"), fails with
// "Invalid character < x >" at the first character outside the set, placed
// at its line and column with the character's code ("U+00A0"). Comment lines
// are not checked.
void check_characters(Build& build, std::string_view file_name, CheckKind kind);

}  // namespace quenlo
