#pragma once
// The script sections of the page: the object menus and the author's actions,
// functions, conditions and counters, each with the generated code that goes
// in front of it, annotated with its source lines, its double-quoted texts
// turned into safe single-quoted strings, and put at its placeholder.

#include <string>
#include <string_view>
#include <vector>

#include "foundation/project_sources.h"
#include "foundation/source_location.h"

namespace quenlo {

class Build;

// "___MENUS___" from `reAddMenu`.
void merge_menus(Build& build);

// One script file `file_name` of the project, after `prefix` (the text of a
// generated-code buffer), at `placeholder`. Logs "%Merging <file> ...".
void merge_script(Build& build, std::string_view file_name, std::string_view placeholder,
                  std::string_view prefix);

// Actions, functions (when the project has them), conditions and counters,
// polling the stop flag after each.
void merge_script_sections(Build& build);

// The code with ";" put before every "}" that closes a block of code (the
// bodies of functions, statements and classes, and plain blocks), so the last
// statement of a block ends as every other. The braces of object literals and
// template substitutions, and those in texts, strings, comments and regular
// expressions, stay as they are.
std::string end_blocks_with_semicolons(std::string_view code);

// Every line preceded by "// <file name> line:<n>", n counting from 1.
std::string annotate_lines(std::string_view text, std::string_view file_name);

// Where the lines of a text to convert came from: line i of the text is line
// `lines[i]` (from 1) of the project file `file`, or generated when that is 0
// or missing.
struct LineOrigins {
    const SourceFile* file = nullptr;
    std::vector<std::size_t> lines;

    // The place of line `index` of the text, with the column of `needle` there.
    SourceLocation place(std::size_t index, std::string_view needle) const;
    // The same with the column where `tail`, the end of that line, begins.
    SourceLocation place_of_tail(std::size_t index, std::string_view tail) const;
};

// Every double-quoted text of the code becomes a single-quoted, escaped one;
// comments, strings, template literals and regular expressions are copied as
// they are. A quoted "_name_" must be a declared room, object or variable, or
// the build fails with "unknown definition: " + name; a double quote whose
// text is still open at the end fails it with "unclosed double-quoted text";
// both are placed by `origins`. Logs "Converting strings...", progress by tens
// and "...100%"; polls the stop flag at every character.
std::string convert_strings(Build& build, std::string_view text, const LineOrigins& origins = {});

}  // namespace quenlo
