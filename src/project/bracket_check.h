#pragma once
// "Check parentheses": counts ( ) [ ] { } block by block in the script files
// (their code only, not strings, texts or comments) and the objects file, and
// reports the first block whose counts differ, with its text and the place of
// its first bracket that does not match, so the author finds an unbalanced
// bracket before the browser does.

#include <string>
#include <string_view>

namespace quenlo {

class BuildLog;

// Checks one file. Blocks are divided by lines whose trimmed text is "//=".
// False at the first unbalanced block, after logging it; true when every
// block matches, and also when the file cannot be read (that is logged too),
// so the command goes on with the next file.
bool check_file(const std::string& path, BuildLog& log);

// Checks "actions.qna", "counters.qna", "conditions.qna" and "objects.qno" in
// this order, stopping at the first file with an unbalanced block; true when
// none had one.
bool check_parentheses(std::string_view project_folder, BuildLog& log);

}  // namespace quenlo
