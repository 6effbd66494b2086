#pragma once
// How the map editor changes a grid: the click rules that tag cells and move
// connection points, painting strokes dragged over the grid, and the checks
// the editor makes before it saves. No windows here: the dialog turns mouse
// events into these calls.

#include <array>
#include <optional>

#include "foundation/map_files.h"

namespace quenlo {

// Cell size in pixels of the picture the grid lies over.
inline constexpr int map_cell_pixels = 20;
// Cell values from this one up are connection points: 100 + area.
inline constexpr int connection_point_base = 100;

struct MapCell {
    int x = 0;  // column, 1 to 28 on the grid
    int y = 0;  // row, 1 to 30 on the grid
    bool operator==(const MapCell&) const = default;
};

bool is_on_grid(MapCell cell);

// The cell under pixel (px, py) of the picture, whether on the grid or not:
// pixels left of or above the picture give columns or rows below 1.
MapCell cell_at_pixel(int px, int py);

// The painting value is the selected area for the left button and 0 (erase)
// for any other. With 0 the cell is erased. With an area n: a connection
// point becomes a plain cell of its own area; a plain cell (of any area)
// becomes the connection point of n, and n's connection point until then
// becomes a plain cell of n; an empty cell becomes a plain cell of n. A cell
// off the grid is left alone. True when the grid changed.
bool click_cell(MapGrid& grid, MapCell cell, int value);

// The connection point of `area`: scanning the columns left to right and
// each column top to bottom, the last cell holding 100 + area.
std::optional<MapCell> find_connection_point(const MapGrid& grid, int area);

// The first area, in ascending order, that has plain cells but no connection
// point; areas that only have a connection point are complete.
std::optional<int> area_missing_connection_point(const MapGrid& grid);

// One press, drag and release of a mouse button over the grid. A press and
// release on one cell, the pointer never having left it, is a click and
// follows the click rules. Once the pointer reaches another cell the stroke
// paints instead: the cell where it started and every further cell it passes
// over, also between two far-apart pointer positions, once per stroke. With
// an area a painted cell becomes a plain cell of that area (connection points
// are kept, they are set by clicks); with 0 it is erased.
class PaintStroke {
public:
    // The button goes down on `cell`; nothing changes yet. `value` as for
    // click_cell.
    PaintStroke(MapCell cell, int value) : value_(value), start_(cell), last_(cell) {}
    // Drags the pointer to `cell`. True when the grid changed.
    bool drag_to(MapGrid& grid, MapCell cell);
    // The button comes up. True when the grid changed.
    bool release(MapGrid& grid);

private:
    bool paint(MapGrid& grid, MapCell cell);

    int value_;
    MapCell start_;
    MapCell last_;
    bool moved_ = false;
    std::array<bool, MapGrid::cells> visited_{};
};

}  // namespace quenlo
