// The map grid and connections files: reading any text, and writing then
// reading back. A grid written and read back is the same grid; a grid file
// of three-digit fields is written back as it was read; the connections file
// keeps its lines and their numbers through a write and a read.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/error.h"
#include "foundation/map_files.h"
#include "foundation/text.h"
#include "fuzz_check.h"
#include "utf8_oracle.h"

namespace quenlo::fuzz {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool fits_three_digits(const MapGrid& grid) {
    for (int x = 1; x <= MapGrid::columns; ++x)
        for (int y = 1; y <= MapGrid::rows; ++y)
            if (grid.cell(x, y) < 0 || grid.cell(x, y) > 999) return false;
    return true;
}

void check_written_grid(const MapGrid& grid) {
    if (!fits_three_digits(grid)) {
        bool refused = false;
        try {
            map_file_text(grid);
        } catch (const Error&) {
            refused = true;
        }
        require(refused, "a cell that three digits cannot hold is refused by the writer");
        return;
    }
    const std::string text = map_file_text(grid);
    require(text.size() == MapGrid::file_length + 2 && text.ends_with("\r\n"),
            "a grid file is 2520 characters and CR LF", text);
    for (std::size_t i = 0; i < MapGrid::file_length; ++i)
        require(is_digit(text[i]), "a grid file holds only digits", text);
    const MapGridReading again = read_map_grid(text);
    require(again.grid.has_value(), "a written grid reads", again.error);
    require(*again.grid == grid, "a grid written and read back is the same grid", text);
}

void check_grid_reading(std::string_view text) {
    const MapGridReading reading = read_map_grid(text);
    require(reading.grid.has_value() == parse_map_grid(text).has_value(),
            "both grid readers agree");
    require(reading.grid.has_value() == reading.error.empty(),
            "a reading has either a grid or an error");
    require(is_well_formed_utf8(reading.error), "the reading error is UTF-8", reading.error);
    if (!reading.grid) return;
    require(text.size() >= MapGrid::file_length - 2, "a grid needs at least 2518 characters");
    const std::string_view fields = text.substr(0, MapGrid::file_length);
    require(fields.find_first_of("\r\n") == std::string_view::npos,
            "a grid read has no line break in its fields");
    check_written_grid(*reading.grid);
    const bool plain_fields = fields.size() == MapGrid::file_length &&
                              fields.find_first_not_of("0123456789") == std::string_view::npos;
    if (plain_fields)
        require(map_file_text(*reading.grid) == std::string(fields) + "\r\n",
                "a grid file of three-digit fields is written back as it was read");
}

// Every cell from two bytes of the input, mostly in the range the editor
// writes, sometimes beyond what three digits hold.
MapGrid grid_from_bytes(std::string_view bytes) {
    MapGrid grid;
    for (int k = 0; k < MapGrid::cells; ++k) {
        const std::size_t at = 2 * static_cast<std::size_t>(k);
        if (at + 1 >= bytes.size()) break;
        const int value =
            static_cast<unsigned char>(bytes[at]) << 8 | static_cast<unsigned char>(bytes[at + 1]);
        grid.set_cell(k / MapGrid::rows + 1, k % MapGrid::rows + 1, value % 1100 - 50);
    }
    return grid;
}

bool same_lines(const std::vector<ConnectionLine>& a, const std::vector<ConnectionLine>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].text != b[i].text || a[i].areas.has_value() != b[i].areas.has_value())
            return false;
        if (a[i].areas &&
            (a[i].areas->first != b[i].areas->first || a[i].areas->second != b[i].areas->second))
            return false;
    }
    return true;
}

void check_connections(std::string_view text) {
    const std::vector<ConnectionLine> lines = parse_connections(text);
    require(lines.size() == split_lines(text).size(),
            "every line of the file is a connection line");
    std::vector<std::string> texts;
    for (const ConnectionLine& line : lines) {
        require(line.text == trim(line.text), "a connection line is trimmed", line.text);
        require(line.text.find_first_of("\r\n") == std::string::npos,
                "a connection line holds no line break", line.text);
        if (line.areas) {
            require(line.text.find(',') != std::string::npos, "two areas are divided by a comma",
                    line.text);
            const bool in_range = line.areas->first >= 1 && line.areas->first <= 80 &&
                                  line.areas->second >= 1 && line.areas->second <= 80;
            require(is_valid_connection(*line.areas) == in_range,
                    "a connection is valid when both areas are 1 to 80", line.text);
        }
        texts.push_back(line.text);
    }
    const std::string written = connections_file_text(texts);
    require(texts.empty() == written.empty(), "no lines make an empty connections file");
    require(written.empty() || written.ends_with("\r\n"), "every connection line ends with CR LF");
    require(same_lines(parse_connections(written), lines),
            "connections written and read back are the same lines", written);
}

}  // namespace

}  // namespace quenlo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quenlo::fuzz;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    check_grid_reading(input);
    check_written_grid(grid_from_bytes(input));
    check_connections(input);
    return 0;
}
