#pragma once
// The script sections of the page: the object menus and the author's actions,
// functions, conditions and counters, each with the generated code that goes
// in front of it, annotated with its source lines, its double-quoted texts
// turned into safe single-quoted strings, and put at its placeholder.

#include <string>
#include <string_view>

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

// Every line preceded by "// <file name> line:<n>", n counting from 1.
std::string annotate_lines(std::string_view text, std::string_view file_name);

// Every double-quoted text becomes a single-quoted, escaped one; a quoted
// "_name_" must be a declared room, object or variable, or the build fails
// with "unknown definition: " + name. Logs "Converting strings...", progress
// by tens and "...100%"; polls the stop flag at every character.
std::string convert_strings(Build& build, std::string_view text);

}  // namespace quenlo
