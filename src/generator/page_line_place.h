#pragma once
// Where in the author's files a line of a built page came from, read from the
// page alone: the script sections put "// FILE line:N" before each line of an
// author's script, so a fault found in the page, while building or while the
// game runs in a browser, is shown at its line in the author's file.

#include <cstddef>
#include <string>
#include <string_view>

#include "foundation/project_sources.h"
#include "foundation/source_location.h"

namespace quenlo {

// The place in the project of line `line` (from 1) of `page`, its text read
// from the author's file in `sources`, with the author's column for column
// `column` (from 1; 0 when not known) where the two lines still read alike up
// to it. Unknown when the line before it is no annotation.
SourceLocation annotated_page_line(std::string_view page, std::size_t line, std::size_t column,
                                   ProjectSources& sources);

}  // namespace quenlo
