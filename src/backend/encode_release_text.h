#pragma once
// The first release transformation: comment and empty lines go, and every
// quoted text of the runtime's script region, and the text of every template
// literal there, has its letters shifted, so that the game's texts cannot be
// read in the page source. The runtime's decoder "_de" shifts them back when
// it shows them.

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quenlo {

class Build;

// The release page's verbatim marker: a line of the script region ending with
// it is copied unencoded; a line holding only it ends the region.
inline constexpr std::string_view verbatim_marker = "///\xC2\xB0\xC2\xB0\xC2\xB0";  // "///°°°"

// The letter shift of quoted texts; every byte but the 52 ASCII letters stays.
char shift_letter(char c);

// Encodes the release text in place and removes every verbatim marker from it.
// Polls the stop flag once per line. Malformed quoting breaks the page's code,
// never the build.
void encode_release_text(Build& build);

// The same encoding of a text given as consecutive parts, each but the last
// ending with a line break, handing each output line, without its break, to
// `sink` as it is made, so that a later step can take it up at once.
void encode_release_lines(Build& build, std::initializer_list<std::string_view> parts,
                          const std::function<void(std::string_view)>& sink);

}  // namespace quenlo
