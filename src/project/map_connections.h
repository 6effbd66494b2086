#pragma once
// How the map editor reads its connections text: which lines are drawn on
// the map, which are marked invalid while the author edits them, and which
// are kept when the map is saved.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/map_editing.h"
#include "foundation/map_files.h"

namespace quenlo {

struct ConnectionDrawing {
    enum class State {
        ignored,  // no comma, or too short to hold two numbers
        invalid,  // not two areas from 1 to 80, or only one end on this map
        undrawn,  // neither area has a connection point on this map
        drawn,    // both ends found
    };
    State state = State::ignored;
    MapCell from;  // the connection points, when drawn
    MapCell to;
};

// What the editor draws for one line of the connections text.
ConnectionDrawing draw_connection(const ConnectionLine& line, const MapGrid& grid);

// What the editor draws for every line, in order.
std::vector<ConnectionDrawing> draw_connections(std::string_view text, const MapGrid& grid);

// True when any line of the text is invalid on this grid.
bool has_invalid_connection(const std::vector<ConnectionDrawing>& drawings);

// The lines the editor saves: every line with a comma, trimmed and in order,
// when each of them joins two areas from 1 to 80; empty lines and lines
// without a comma are dropped. Nothing when a line with a comma is not a
// valid connection.
std::optional<std::vector<std::string>> saved_connections(std::string_view text);

}  // namespace quenlo
