#pragma once
// A script error of the game as its served page reports it, and the lines
// that tell the author where it is: "Script error in the game: " and the
// message, then the place in the author's file that the page's line came
// from (in the page itself when it came from the runtime), as a build error
// shows its place, and the choice the game was processing.
//
// The page posts one report as text:
//     PAGE_PATH BUILD LINE COLUMN SCRIPT
//     CHOICE
//     MESSAGE (to the end)
// LINE and COLUMN count in the page from 1; SCRIPT is "-", or the number of
// the page's script element whose text the preview replaced in place, whose
// lines then count from its first.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenlo {

struct ScriptErrorReport {
    std::string page;  // the page's path at the server, "/" or "/release"
    std::uint64_t build = 0;
    std::size_t line = 0;
    std::size_t column = 0;
    std::optional<std::size_t> script;
    std::string choice;
    std::string message;  // control characters shown as blanks
};

std::optional<ScriptErrorReport> read_script_error_report(std::string_view text);

// The lines to show. `page` is the text of the page the report came from, as
// written at `page_path` in the project folder `project_folder`; empty when
// the report is of another build than that page's.
std::vector<std::string> script_error_lines(const ScriptErrorReport& report, std::string_view page,
                                            const std::string& page_path,
                                            const std::string& project_folder);

}  // namespace quenlo
