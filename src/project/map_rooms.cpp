#include "project/map_rooms.h"

#include <optional>
#include <string_view>

#include "foundation/parse_integer.h"
#include "foundation/text.h"
#include "project/map_editing.h"

namespace quenlo {

namespace {

constexpr int largest_room = 79;

// The number of a header line "{...}", or nothing when the line is not a
// header or its number does not convert.
std::optional<int> header_number(std::string_view line) {
    if (line.size() < 2 || line.front() != '{' || line.back() != '}') return std::nullopt;
    std::string_view inside = trim_view(line.substr(1, line.size() - 2));
    for (const char flag : {':', '*', '#'})
        if (inside.starts_with(flag)) inside.remove_prefix(1);
    return parse_integer(inside);
}

// "_rName_" or "_rName_|_vVariable_" gives "_rName_".
std::optional<std::string_view> identifier_of(std::string_view line) {
    if (line.empty() || line.front() != '_' || line.back() != '_') return std::nullopt;
    return line.substr(0, line.find('|'));
}

}  // namespace

std::vector<MapRoom> map_rooms(const std::vector<std::string>& lines) {
    std::vector<MapRoom> rooms;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto number = header_number(trim_view(lines[i]));
        if (!number) continue;
        ++i;  // the line after a header is its identifier line, never a header
        if (*number < 1 || *number > largest_room || i >= lines.size()) continue;
        if (const auto identifier = identifier_of(trim_view(lines[i])))
            rooms.push_back({*number, std::string(*identifier)});
    }
    return rooms;
}

std::string map_room_line(const MapRoom& room) {
    return std::to_string(room.index) + ":" + room.identifier;
}

std::string cell_status(int x, int y, int value, const std::map<int, std::string>& names) {
    std::string status = "Column " + std::to_string(x) + ", row " + std::to_string(y) + ": ";
    if (value == 0) return status + "no area";
    const bool point = value >= connection_point_base;
    const int area = point ? value - connection_point_base : value;
    status += "area " + std::to_string(area);
    if (const auto name = names.find(area); name != names.end()) status += " " + name->second;
    if (point) status += ", connection point";
    return status;
}

}  // namespace quenlo
