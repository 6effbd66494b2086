#pragma once
// What the program carries inside itself, assembled at build time from
// runtime/ and resources/ (see tools/assemble_base_script.cpp).

#include <string_view>

namespace quenlo {

// The stored default base script: the game page followed by the sections a
// new project is made from; every line ends with CR LF.
std::string_view stored_base_script();

}  // namespace quenlo
