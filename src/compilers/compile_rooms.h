#pragma once
// "rooms.qnr": up to 80 numbered rooms, each a header "{[:][*][#]N}", an
// identifier line "_rName_" (optionally "|_vSelector_") and description texts
// divided by "§". Compiled into the runtime's room descriptions and room list.

namespace quenlo {

class Build;

// Empties the generated-code buffers of the declaration compilers, fills
// `lstroom` (80 rows), `reAddCond`, "___ROOMS___" and "___ROOMIDS___", sets
// the start room, and through the room links fills `exits`, `lstobjroom` and
// the room-link object list.
void compile_rooms(Build& build);

}  // namespace quenlo
