#pragma once
// Where in a project file a build error lies, and the block that shows it in
// the build log the way compilers do, so editors and terminals can jump to it:
//
//     PATH:LINE:COLUMN: error: TEXT
//         the source line
//         ^

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quenlo {

struct SourceLocation {
    std::string path;        // the file's path as the log shows paths
    std::size_t line = 0;    // from 1; 0 when the place is not known
    std::size_t column = 0;  // from 1, in characters; 0 when not known
    std::string text;        // the source line as read
    std::string note;        // added to the error's text on the location line

    bool known() const { return line > 0; }
};

// The place of line `index` (from 0) of `lines`, the lines of the file `path`.
SourceLocation line_location(const std::string& path, const std::vector<std::string>& lines,
                             std::size_t index, std::size_t column = 0);

// The first line of `lines` from `first` (from 0) that holds `needle`, as a
// place with the needle's column; an unknown place when none holds it.
SourceLocation find_location(const std::string& path, const std::vector<std::string>& lines,
                             std::string_view needle, std::size_t first = 0);

// A line of generated code and the lines of the project file it was made from,
// so that a fault found later in the page can be shown in the author's file.
struct GeneratedLine {
    std::string code;
    std::string file;       // the project file's name
    std::size_t first = 0;  // its lines there, from 1
    std::size_t last = 0;
};

// The column (from 1, in characters) where `needle` first occurs in `line`, or 0.
std::size_t column_of(std::string_view line, std::string_view needle);

// "PATH:LINE:COLUMN: error: TEXT", TEXT being the first line of the error
// message followed by the place's note; `kind` may also be "warning" or "note".
std::string location_line(const SourceLocation& where, std::string_view message,
                          std::string_view kind = "error");

// The location line, the source line indented by four blanks (tabs shown as
// blanks, cut at 160 characters) and, where the column is known, a caret
// under it.
std::vector<std::string> location_block(const SourceLocation& where, std::string_view message,
                                        std::string_view kind = "error");

}  // namespace quenlo
