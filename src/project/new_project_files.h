#pragma once
// The files of a new project, made from the sections of the base script: the
// starter sources, the authoring reference, the example map picture, empty map
// pictures and connections, and three blank maps.

#include <array>
#include <string>
#include <string_view>

namespace quenlo {

class BaseScript;

// In the order they are written: the 21 files set project requires plus
// "reference.txt" and "map_example.gif". There is no "functions.qna".
inline constexpr std::array<std::string_view, 23> new_project_files = {
    "successimage.qn", "failimage.qn", "coverimage.qn",  "objects.qno",  "rooms.qnr",
    "variables.qnv",   "actions.qna",  "conditions.qna", "counters.qna", "messages.qnr",
    "help.qni",        "success.qni",  "fail.qni",       "intro.qni",    "reference.txt",
    "map_example.gif", "mapimage1.qn", "mapimage2.qn",   "mapimage3.qn", "connections.qn",
    "map1.qn",         "map2.qn",      "map3.qn"};

// The file made from a section: its lines joined and trimmed as a whole, each
// line ended by CR LF. An image section ("#COVERIMAGE" and the like) becomes
// one line of its lines trimmed and joined with nothing between them. A
// missing or empty section gives an empty text.
std::string section_file_text(const BaseScript& base, std::string_view section);

// One line of 840 cells "000" (28 x 30), ended by CR LF: 2522 bytes.
std::string blank_map_text();

// Creates `folder` (one level: its parent must exist, the folder itself must
// not) and writes the 23 files into it, in order. The first failure stops the
// sequence with its error; the files written before it stay.
void write_new_project(const BaseScript& base, const std::string& folder);

// Creates one folder level; fails with "Cannot create folder "<path>". <reason>",
// also when the folder already exists.
void create_folder(const std::string& folder);

}  // namespace quenlo
