#pragma once
// What a build found wrong, as data: an error or a warning with its text, its
// place in a project file and the related places that explain it. The log,
// the command line, the preview panel and the window all render these
// records; nothing reads them back from printed text.

#include <string>
#include <string_view>
#include <vector>

#include "foundation/source_location.h"

namespace quenlo {

enum class Severity { error, warning };

// A related place: the first definition of a duplicate, the other start room.
struct Note {
    std::string text;
    SourceLocation where;
};

struct Diagnostic {
    Severity severity = Severity::error;
    std::string text;      // an error's text as its "Error: " line shows it
    SourceLocation where;  // not known() when the fault lies in no project file
    std::vector<Note> notes;
    std::string name;  // a warning's short name, shown as "[name]"
};

// A line of a diagnostic's block; a location line names its file.
struct BlockLine {
    std::string text;
    std::string file;  // empty for the source and caret lines
};

// The block of the log that shows a diagnostic placed in a file, as compilers
// show them: "PATH:LINE:COLUMN: error: TEXT" (or "warning: TEXT [name]"), the
// source line and a caret, then a "note:" block of each note, or a "note:"
// line alone for a note without a place. Empty for a diagnostic without a place.
std::vector<BlockLine> diagnostic_block(const Diagnostic& diagnostic);

}  // namespace quenlo
