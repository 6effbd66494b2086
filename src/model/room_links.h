#pragma once
// The links of a room's text: "{shown text|_object_}" names an object of the
// room, "{shown text|_object_|verb|_rDestination_}" an exit.

#include <string>
#include <vector>

#include "foundation/project_model.h"

namespace quenlo {

// Reads the links of `text` (its joined form filled in) in order, up to the
// first one that is malformed, whose offset it records; ranges are placed on
// `lines`, the file's lines.
void read_room_links(RoomText& text, const std::vector<std::string>& lines);

// The place in the file of the character at `offset` of the joined text.
TextRange text_range(const RoomText& text, const std::vector<std::string>& lines,
                     std::size_t offset, std::size_t length);

}  // namespace quenlo
