#pragma once
// The links of a room description: "{shown text|_object_}" names an object of
// the room, "{shown text|_object_|verb|_rDestination_}" an exit that the
// compiler declares as an object of its own.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "foundation/source_location.h"

namespace quenlo {

class Build;

// Replaces every link of `text` by the runtime's link marker
// "@c" + object + "@" + shown text + "@", logs "Merge room object: " + object,
// records the object in `lstobjroom` and the room-link object list, and for an
// exit link appends its object declaration to `reAddObj` and its destination
// to `lsttmpdir`. Fails with "failed object merging: " + the text as given,
// placed by `place_of` at the link that is malformed.
using TextPlaces = std::function<SourceLocation(std::size_t offset)>;
std::string merge_room_links(Build& build, std::string_view text, std::string_view room,
                             const TextPlaces& place_of = {});

}  // namespace quenlo
