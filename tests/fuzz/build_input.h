#pragma once
// How a fuzz input of the build target changes a project. The format lets
// mutations keep most of a working project and change a few lines of it, so
// inputs get past the character check into the compilers and the back end.
//
//   byte 0   the build's switches, one bit each: 1 release page, 2 check the
//            characters, 4 skip the unknown-identifier check, 8 skip merging
//            the pictures ('0' none, '1' release, '3' release and check).
//   then     chunks, each starting with "@@" at the start of the rest or of a
//            line:  "@@" FILE OP [LINE] LF PAYLOAD
//            FILE   one character choosing the file, 'a' + its index in
//                   build_input_files (any byte, counted round)
//            OP     '=' the file becomes PAYLOAD, '+' PAYLOAD is appended as
//                   lines, '<' inserted before line LINE, '~' replaces line
//                   LINE, '-' the file is deleted (any other byte: its value
//                   modulo 5 in that order)
//            LINE   decimal digits, counted from 0 and round the file's lines
//            PAYLOAD every byte up to the LF before the next "@@" line
//
// "base.qn" starts out as the stored base script, so a chunk can change one
// line of the game page; it is written into the project only when a chunk
// touches it.

#include <array>
#include <string_view>

#include "folder_snapshot.h"
#include "foundation/build.h"

namespace quenlo::fuzz {

inline constexpr std::array<std::string_view, 23> build_input_files = {
    "help.qni",       "intro.qni",      "success.qni",   "fail.qni",        "messages.qnr",
    "variables.qnv",  "rooms.qnr",      "objects.qno",   "actions.qna",     "functions.qna",
    "conditions.qna", "counters.qna",   "coverimage.qn", "successimage.qn", "failimage.qn",
    "mapimage1.qn",   "mapimage2.qn",   "mapimage3.qn",  "map1.qn",         "map2.qn",
    "map3.qn",        "connections.qn", "base.qn"};

struct BuildRequest {
    Switches switches;
    bool release = false;
};

// Applies the input's chunks to `files` (names to bytes) and returns the
// switches it asks for. `base_script` is the text "base.qn" starts from.
BuildRequest apply_build_input(std::string_view input, FolderSnapshot& files,
                               std::string_view base_script);

}  // namespace quenlo::fuzz
