#include "project/map_editing.h"

#include <cstdlib>

namespace quenlo {

namespace {

// Division rounding down, so that the pixels left of the picture give column
// 0 and below rather than column 1.
int floor_div(int value, int divisor) {
    const int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

bool set_if_different(MapGrid& grid, MapCell cell, int value) {
    if (grid.cell(cell.x, cell.y) == value) return false;
    grid.set_cell(cell.x, cell.y, value);
    return true;
}

std::size_t index_of(MapCell cell) {
    return static_cast<std::size_t>((cell.x - 1) * MapGrid::rows + (cell.y - 1));
}

}  // namespace

bool is_on_grid(MapCell cell) {
    return cell.x >= 1 && cell.x <= MapGrid::columns && cell.y >= 1 && cell.y <= MapGrid::rows;
}

MapCell cell_at_pixel(int px, int py) {
    return {floor_div(px, map_cell_pixels) + 1, floor_div(py, map_cell_pixels) + 1};
}

bool click_cell(MapGrid& grid, MapCell cell, int value) {
    if (!is_on_grid(cell)) return false;
    const int current = grid.cell(cell.x, cell.y);
    if (value == 0) return set_if_different(grid, cell, 0);
    if (current >= connection_point_base)
        return set_if_different(grid, cell, current - connection_point_base);
    if (current >= 1) {
        // One connection point per area: the old ones become plain cells.
        const int point = connection_point_base + value;
        for (int x = 1; x <= MapGrid::columns; ++x)
            for (int y = 1; y <= MapGrid::rows; ++y)
                if (grid.cell(x, y) == point) grid.set_cell(x, y, value);
        grid.set_cell(cell.x, cell.y, point);
        return true;
    }
    return set_if_different(grid, cell, value);
}

std::optional<MapCell> find_connection_point(const MapGrid& grid, int area) {
    std::optional<MapCell> found;
    const int point = connection_point_base + area;
    for (int x = 1; x <= MapGrid::columns; ++x)
        for (int y = 1; y <= MapGrid::rows; ++y)
            if (grid.cell(x, y) == point) found = MapCell{x, y};
    return found;
}

std::optional<int> area_missing_connection_point(const MapGrid& grid) {
    constexpr int largest = connection_point_base - 1;
    std::array<bool, largest + 1> plain{};
    std::array<bool, largest + 1> point{};
    for (int x = 1; x <= MapGrid::columns; ++x) {
        for (int y = 1; y <= MapGrid::rows; ++y) {
            const int value = grid.cell(x, y);
            if (value >= 1 && value <= largest) plain[value] = true;
            const int area = value - connection_point_base;
            if (area >= 0 && area <= largest) point[area] = true;
        }
    }
    for (int area = 1; area <= largest; ++area)
        if (plain[area] && !point[area]) return area;
    return std::nullopt;
}

bool PaintStroke::drag_to(MapGrid& grid, MapCell cell) {
    if (!moved_ && cell == start_) return false;
    bool changed = false;
    if (!moved_) {
        moved_ = true;
        changed = paint(grid, start_);
    }
    // Every cell on the straight run of cells from the last one to this one,
    // so that a quick drag leaves no gaps.
    const int dx = std::abs(cell.x - last_.x);
    const int dy = std::abs(cell.y - last_.y);
    const int step_x = cell.x > last_.x ? 1 : -1;
    const int step_y = cell.y > last_.y ? 1 : -1;
    int error = dx - dy;
    MapCell at = last_;
    while (at != cell) {
        const int twice = 2 * error;
        if (twice > -dy) {
            error -= dy;
            at.x += step_x;
        }
        if (twice < dx) {
            error += dx;
            at.y += step_y;
        }
        changed |= paint(grid, at);
    }
    last_ = cell;
    return changed;
}

bool PaintStroke::release(MapGrid& grid) {
    return !moved_ && click_cell(grid, start_, value_);
}

bool PaintStroke::paint(MapGrid& grid, MapCell cell) {
    if (!is_on_grid(cell)) return false;
    bool& visited = visited_[index_of(cell)];
    if (visited) return false;
    visited = true;
    if (value_ == 0) return set_if_different(grid, cell, 0);
    if (grid.cell(cell.x, cell.y) >= connection_point_base) return false;
    return set_if_different(grid, cell, value_);
}

}  // namespace quenlo
