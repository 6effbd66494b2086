#pragma once
// The files the map editor opens and saves for map N, and the exact messages
// it shows about them. The folder always ends with the path separator.

#include <string>
#include <string_view>
#include <vector>

#include "foundation/map_files.h"

namespace quenlo {

// The size every map picture must have: the grid's 28 x 30 cells of 20 pixels.
inline constexpr int map_picture_width = 560;
inline constexpr int map_picture_height = 600;

inline constexpr std::string_view connections_file_name = "connections.qn";
inline constexpr std::string_view rooms_file_name = "rooms.qnr";

std::string map_file_name(int map_number);     // "map1.qn"
std::string map_picture_name(int map_number);  // "map1.gif"
// The picture the game shows for map N, as a data text: "mapimage1.qn".
std::string map_picture_data_name(int map_number);

// The grid of "map" + N + ".qn". Fails with "File map1.qn not found!" or
// "Invalid map1.qn file! " and what is wrong with it.
MapGrid read_map_file(std::string_view folder, int map_number);

// The lines of "connections.qn"; fails with "File connections.qn not found!".
std::vector<std::string> read_connections_file(std::string_view folder);

// "File map1.gif not found!" and the like.
std::string file_not_found_message(std::string_view file_name);
// "Invalid map1.gif image file! " + the decoder's error, for the picture
// file named.
std::string invalid_picture_message(std::string_view picture_file, std::string_view error);
// "Invalid map1.gif image size (not 560x600)!"
std::string picture_size_message(std::string_view picture_file);
// "Unable to save map1.qn file! " + error + two line breaks + "Close window anyway?"
std::string unable_to_save_message(int map_number, std::string_view error);
// "Missing connection point for area: 7"
std::string missing_connection_point_message(int area);

inline constexpr std::string_view invalid_connections_message = "Invalid connections!";
inline constexpr std::string_view save_changes_question = "Save changes?";

}  // namespace quenlo
