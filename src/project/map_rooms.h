#pragma once
// The numbered rooms of a project as the map editor lists them beside the
// map, for the author's reference: the areas of a map are these rooms.

#include <map>
#include <string>
#include <vector>

namespace quenlo {

struct MapRoom {
    int index = 0;           // 1 to 79
    std::string identifier;  // "_rStanzaBuia_"
    bool operator==(const MapRoom&) const = default;
};

// Walks the lines of "rooms.qnr": a header "{n}" (after the flags ":", "*"
// and "#", each at most once and in this order) followed by an identifier
// line "_rName_" or "_rName_|_vVariable_" gives room n, for n from 1 to 79.
// The line after a header with a number is never itself a header; a header
// without one is skipped and the walk goes on with the next line.
std::vector<MapRoom> map_rooms(const std::vector<std::string>& lines);

// "1:_rStanzaBuia_": index, ":" and identifier.
std::string map_room_line(const MapRoom& room);

// What the status line says about the cell at column `x`, row `y` holding
// `value`: "Column 3, row 5: area 7 _rCucina_, connection point".
// `names` gives each room's identifier by index (the first one listed).
std::string cell_status(int x, int y, int value, const std::map<int, std::string>& names);

}  // namespace quenlo
