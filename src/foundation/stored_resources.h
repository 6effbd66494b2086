#pragma once
// What the program carries inside itself, assembled at build time from
// runtime/ and resources/ (see tools/assemble_base_script.cpp).

#include <string_view>

namespace quenlo {

// The stored default base script: the game page followed by the sections a
// new project is made from; every line ends with CR LF.
std::string_view stored_base_script();

// The example map picture a new project gets as "map_example.gif": a GIF of
// 560 x 600 pixels, the size every map picture must have.
std::string_view example_map_picture();

// The script the live preview adds to the pages it serves (runtime/preview.js).
std::string_view preview_script();

}  // namespace quenlo
