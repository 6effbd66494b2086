#pragma once
// The map grid files ("map1.qn" to "map3.qn") and the connections file
// ("connections.qn") of a project, as the generator and the map editor read
// them and the map editor writes them. Texts in and out: no windows, no
// files opened here.
//
// A grid file is 840 fields of three characters ("000", "007", "107"), one
// after the other, listing the cells column by column: field k holds column
// k / 30 + 1, row k % 30 + 1. Whatever follows the 2520th character is not
// read. The connections file holds one pair of area numbers "a,b" a line.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenlo {

class MapGrid {
public:
    static constexpr int columns = 28;  // x, left to right, from 1
    static constexpr int rows = 30;     // y, top to bottom, from 1
    static constexpr int cells = columns * rows;
    static constexpr std::size_t field_width = 3;
    static constexpr std::size_t file_length = cells * field_width;  // 2520 characters

    // Cell values: 0 no area, n (1 to 79) part of area n, 100 + n the
    // connection point of area n.
    int cell(int x, int y) const { return cells_[index(x, y)]; }
    void set_cell(int x, int y, int value) { cells_[index(x, y)] = value; }

    bool operator==(const MapGrid&) const = default;

private:
    // Row by row, as the game page lists the cells.
    static std::size_t index(int x, int y) { return (x - 1) + (y - 1) * columns; }
    std::array<int, cells> cells_{};
};

// The grid written in a grid file's text (its lines joined by CR LF), or
// nothing when the text is invalid: a field that is not a decimal integer
// (a line break inside the first 2520 characters shifts the fields into one),
// or a text too short to reach the last field. The last field may be cut to
// one or two characters.
std::optional<MapGrid> parse_map_grid(std::string_view text);

// The same reading, with what is wrong when the text is not a grid: the
// cell whose field does not convert, with its characters, or where the text
// ends too soon.
struct MapGridReading {
    std::optional<MapGrid> grid;
    std::string error;  // empty when there is a grid
    std::size_t error_at = 0;  // where in the text (from 0) the fault starts
};
MapGridReading read_map_grid(std::string_view text);

// The grid file's text: the 840 cells column by column, each written with
// three digits ("000", "007", "107"), then CR LF; 2522 characters. Fails with
// an Error naming the first cell whose value three digits cannot hold.
std::string map_file_text(const MapGrid& grid);

struct Connection {
    int first = 0;
    int second = 0;
};

struct ConnectionLine {
    std::string text;                 // the line, trimmed
    std::optional<Connection> areas;  // when the line is two integers divided by a comma
};

// Every line of the connections file's text, in order, empty ones included.
std::vector<ConnectionLine> parse_connections(std::string_view text);

// Both areas between 1 and 80, the numbers the map editor accepts.
bool is_valid_connection(const Connection& connection);

// The connections file's text: every line followed by CR LF; no lines give
// an empty file.
std::string connections_file_text(const std::vector<std::string>& lines);

}  // namespace quenlo
