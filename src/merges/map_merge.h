#pragma once
// The game's maps: whether the build has any (the first map picture decides),
// and the three grids and the connections as the page's array contents.

#include <string>

namespace quenlo {

class Build;
class MapGrid;

// Sets the map-enabled flag when "mapimage1.qn" holds anything besides blanks
// and line breaks, unless images merging is skipped.
void test_map_image(Build& build);

// "___ENABLEMAP___" becomes "true" or "false"; then polls.
void merge_map_switch(Build& build);

// With the map on: "___MAP1___" to "___MAP3___" from "map1.qn" to "map3.qn"
// and "___CONNECTIONS___" from "connections.qn", failing with
// "Invalid map<N>.qn file!" or "Invalid connections.qn file!". With the map
// off the three map placeholders become empty.
void merge_maps(Build& build);

// The 840 cells row by row, divided by commas.
std::string runtime_cell_list(const MapGrid& grid);

}  // namespace quenlo
