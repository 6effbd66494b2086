#include "project/map_files.h"

#include "core/parse_integer.h"
#include "core/text.h"

namespace quenlo {

namespace {

constexpr int largest_area = 80;

}  // namespace

std::optional<MapGrid> parse_map_grid(std::string_view text) {
    // Fields are cut by characters; a character beyond ASCII can only make its
    // field invalid, so cutting the bytes gives the same verdict.
    MapGrid grid;
    for (int k = 0; k < MapGrid::cells; ++k) {
        const std::size_t start = k * MapGrid::field_width;
        if (start >= text.size()) return std::nullopt;
        const std::string_view field = text.substr(start, MapGrid::field_width);
        const auto value = parse_integer(field);
        if (!value) return std::nullopt;
        grid.set_cell(k / MapGrid::rows + 1, k % MapGrid::rows + 1, *value);
    }
    return grid;
}

std::vector<ConnectionLine> parse_connections(std::string_view text) {
    std::vector<ConnectionLine> lines;
    for_each_line(text, [&](std::string_view raw) {
        ConnectionLine line{trim(raw), std::nullopt};
        const std::size_t comma = line.text.find(',');
        if (comma != std::string::npos) {
            const std::string_view whole = line.text;
            const auto first = parse_integer(trim_view(whole.substr(0, comma)));
            const auto second = parse_integer(trim_view(whole.substr(comma + 1)));
            if (first && second) line.areas = Connection{*first, *second};
        }
        lines.push_back(std::move(line));
    });
    return lines;
}

bool is_valid_connection(const Connection& connection) {
    const auto valid = [](int area) { return area >= 1 && area <= largest_area; };
    return valid(connection.first) && valid(connection.second);
}

}  // namespace quenlo
