#include "foundation/map_files.h"

#include "foundation/error.h"
#include "foundation/parse_integer.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

constexpr int largest_area = 80;
constexpr int largest_field_value = 999;

// "column 3, row 5"
std::string cell_name(int x, int y) {
    return "column " + std::to_string(x) + ", row " + std::to_string(y);
}

// Why a field does not convert, and where it stands (characters from 1).
std::string field_error(int x, int y, std::size_t start, std::string_view field) {
    const std::string where = "The field of " + cell_name(x, y);
    const std::string from = std::to_string(start + 1);
    if (field.find_first_of("\r\n") != std::string_view::npos)
        return where + " (from character " + from + ") holds a line break.";
    for (const char c : field)
        if (c < ' ' || c > '~')
            return where + " (from character " + from + ") holds a character that is not a digit.";
    return where + " (characters " + from + " to " + std::to_string(start + field.size()) +
           ") is \"" + std::string(field) + "\", not a valid integer value.";
}

}  // namespace

std::optional<MapGrid> parse_map_grid(std::string_view text) {
    return read_map_grid(text).grid;
}

MapGridReading read_map_grid(std::string_view text) {
    // Fields are cut by characters; a character beyond ASCII can only make its
    // field invalid, so cutting the bytes gives the same verdict, and every
    // character before the first invalid field is one byte.
    MapGridReading reading;
    MapGrid grid;
    for (int k = 0; k < MapGrid::cells; ++k) {
        const int x = k / MapGrid::rows + 1;
        const int y = k % MapGrid::rows + 1;
        const std::size_t start = k * MapGrid::field_width;
        if (start >= text.size()) {
            reading.error = "The text ends after " + std::to_string(text.size()) +
                            " characters, before the field of " + cell_name(x, y) + ".";
            reading.error_at = text.size();
            return reading;
        }
        const std::string_view field = text.substr(start, MapGrid::field_width);
        const auto value = parse_integer(field);
        if (!value) {
            reading.error = field_error(x, y, start, field);
            reading.error_at = start;
            return reading;
        }
        grid.set_cell(x, y, *value);
    }
    reading.grid = grid;
    return reading;
}

std::string map_file_text(const MapGrid& grid) {
    std::string text;
    text.reserve(MapGrid::file_length + crlf.size());
    for (int x = 1; x <= MapGrid::columns; ++x) {
        for (int y = 1; y <= MapGrid::rows; ++y) {
            const int value = grid.cell(x, y);
            if (value < 0 || value > largest_field_value)
                throw Error("The cell of " + cell_name(x, y) + " holds the value " +
                            std::to_string(value) + ", which does not fit in three digits.");
            text += static_cast<char>('0' + value / 100);
            text += static_cast<char>('0' + value / 10 % 10);
            text += static_cast<char>('0' + value % 10);
        }
    }
    text += crlf;
    return text;
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

std::string connections_file_text(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += crlf;
    }
    return text;
}

}  // namespace quenlo
