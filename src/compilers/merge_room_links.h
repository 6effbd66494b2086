#pragma once
// The links of a room's text as the runtime shows them: each becomes the
// marker "@c" + object + "@" + shown text + "@".

#include <string>
#include <string_view>

#include "foundation/project_model.h"
#include "foundation/project_sources.h"

namespace quenlo {

class Build;

// The joined text of `text` with every link replaced by its marker. Logs
// "Merge room object: " + object for each, records the object in `lstobjroom`
// and the room-link object list, and each exit link in `exits`. Fails with
// "failed object merging: " + the text at the link that is malformed.
std::string merge_room_links(Build& build, const SourceFile& file, const RoomText& text);

}  // namespace quenlo
