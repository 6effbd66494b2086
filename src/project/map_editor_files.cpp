#include "project/map_editor_files.h"

#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

std::string in_folder(std::string_view folder, std::string_view file_name) {
    std::string path(folder);
    path += file_name;
    return path;
}

}  // namespace

std::string map_file_name(int map_number) {
    return "map" + std::to_string(map_number) + ".qn";
}

std::string map_picture_name(int map_number) {
    return "map" + std::to_string(map_number) + ".gif";
}

std::string map_picture_data_name(int map_number) {
    return "mapimage" + std::to_string(map_number) + ".qn";
}

MapGrid read_map_file(std::string_view folder, int map_number) {
    const std::string name = map_file_name(map_number);
    const std::string path = in_folder(folder, name);
    if (!file_exists(path)) throw Error(file_not_found_message(name));
    MapGridReading reading = read_map_grid(read_text(path));
    if (!reading.grid) throw Error("Invalid " + name + " file! " + reading.error);
    return *reading.grid;
}

std::vector<std::string> read_connections_file(std::string_view folder) {
    const std::string path = in_folder(folder, connections_file_name);
    if (!file_exists(path)) throw Error(file_not_found_message(connections_file_name));
    return read_lines(path);
}

std::string file_not_found_message(std::string_view file_name) {
    return "File " + std::string(file_name) + " not found!";
}

std::string invalid_picture_message(std::string_view picture_file, std::string_view error) {
    return "Invalid " + std::string(picture_file) + " image file! " + std::string(error);
}

std::string picture_size_message(std::string_view picture_file) {
    return "Invalid " + std::string(picture_file) + " image size (not " +
           std::to_string(map_picture_width) + "x" + std::to_string(map_picture_height) + ")!";
}

std::string unable_to_save_message(int map_number, std::string_view error) {
    return "Unable to save " + map_file_name(map_number) + " file! " + std::string(error) +
           std::string(crlf) + std::string(crlf) + "Close window anyway?";
}

std::string missing_connection_point_message(int area) {
    return "Missing connection point for area: " + std::to_string(area);
}

}  // namespace quenlo
