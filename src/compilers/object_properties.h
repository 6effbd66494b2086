#pragma once
// One object of "objects.qno" while it is read: its record, the property and
// flag lines that fill it, and the runtime call it becomes.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/project_model.h"

namespace quenlo {

class Build;

struct ObjectRecord {
    std::string id;
    std::string desc_short;
    std::string desc_long;
    std::string desc_examine;
    std::string desc_found;
    std::string desc_direction;
    int room = 0;  // 0 out of the game, -1 carried, -2 worn, else a room index
    int direction = 0;
    int weight = 0;
    int weight_worn = 0;
    int examinable = 0;
    int usable = 0;
    int takeable = 0;   // 1 takeable, 2 wearable
    std::string found;  // object identifiers joined by "|"
    int tag = 0;
    int talkable = 0;
    std::string desc_talk;
    std::string desc_next_talk;
};

// An object that examining another brings into play, and the index of the
// ":found:" line that names it.
struct FoundName {
    std::string name;
    std::size_t line = 0;
};

enum class ObjectKind { floating = 1, fixed = 2 };

// "f_addobj(" + the 21 arguments of the runtime + ");", without blanks.
std::string addobj_call(const ObjectRecord& object, ObjectKind kind);

// Stores the value of the property `item` in `object`; each name of a
// ":found:" value is also added to `found` with the line it is on. Fails with
// "unknown room: ", "unknown :found: object: " or "'" + value + "' is not a
// valid integer value".
void apply_property(const Build& build, const ObjectItem& item, ObjectRecord& object,
                    std::vector<FoundName>& found);

// ":examinable takeable": sets the named flags; fails with
// "unknown object property: " + whatever is left besides the flag words.
void read_flags(std::string_view line, ObjectRecord& object);

}  // namespace quenlo
