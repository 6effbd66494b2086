#pragma once
// "objects.qno" and the exit objects generated from the room links: every
// object becomes a runtime f_addobj call and an entry of the object list.

namespace quenlo {

class Build;

// Fills `lstobj` (300 rows: 11 empty, then the objects in order),
// "___OBJECTS___", "___OBJECTIDS___" and, through the ":menu:" blocks,
// `reAddMenu`. Checks each object against the rooms compiled before: objects
// named in room links are fixed, all others float.
void compile_objects(Build& build);

}  // namespace quenlo
