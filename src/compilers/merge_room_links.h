#pragma once
// The links of a room description: "{shown text|_object_}" names an object of
// the room, "{shown text|_object_|verb|_rDestination_}" an exit that the
// compiler declares as an object of its own.

#include <string>
#include <string_view>

namespace quenlo {

class Build;

// Replaces every link of `text` by the runtime's link marker
// "@c" + object + "@" + shown text + "@", logs "Merge room object: " + object,
// records the object in `lstobjroom` and the room-link object list, and for an
// exit link appends its object declaration to `reAddObj` and its destination
// to `lsttmpdir`. Fails with "failed object merging: " + the text as given.
std::string merge_room_links(Build& build, std::string_view text, std::string_view room);

}  // namespace quenlo
