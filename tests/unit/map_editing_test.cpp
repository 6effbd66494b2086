// The map editor's rules for changing a grid: clicks, strokes, connection
// points and the check made before saving.

#include "project/map_editing.h"

#include <gtest/gtest.h>

namespace quenlo {
namespace {

// Every cell that is not 0, as "x,y=value" in column order.
std::vector<std::string> tagged(const MapGrid& grid) {
    std::vector<std::string> cells;
    for (int x = 1; x <= MapGrid::columns; ++x)
        for (int y = 1; y <= MapGrid::rows; ++y)
            if (grid.cell(x, y) != 0)
                cells.push_back(std::to_string(x) + "," + std::to_string(y) + "=" +
                                std::to_string(grid.cell(x, y)));
    return cells;
}

using Cells = std::vector<std::string>;

TEST(MapPixels, CellsAreTwentyPixelsFromTheTopLeft) {
    EXPECT_EQ(cell_at_pixel(0, 0), (MapCell{1, 1}));
    EXPECT_EQ(cell_at_pixel(19, 19), (MapCell{1, 1}));
    EXPECT_EQ(cell_at_pixel(20, 39), (MapCell{2, 2}));
    EXPECT_EQ(cell_at_pixel(559, 599), (MapCell{28, 30}));
    EXPECT_FALSE(is_on_grid(cell_at_pixel(560, 10)));
    EXPECT_FALSE(is_on_grid(cell_at_pixel(10, 600)));
    // Left of the picture is column 0, not column 1.
    EXPECT_EQ(cell_at_pixel(-1, -20), (MapCell{0, 0}));
    EXPECT_EQ(cell_at_pixel(-21, 5), (MapCell{-1, 1}));
    EXPECT_FALSE(is_on_grid(cell_at_pixel(-1, 5)));
}

TEST(MapClicks, FirstTagsSecondMakesTheConnectionPointThirdUndoesIt) {
    MapGrid grid;
    EXPECT_TRUE(click_cell(grid, {3, 4}, 5));
    EXPECT_EQ(grid.cell(3, 4), 5);
    EXPECT_TRUE(click_cell(grid, {3, 4}, 5));
    EXPECT_EQ(grid.cell(3, 4), 105);
    EXPECT_TRUE(click_cell(grid, {3, 4}, 5));
    EXPECT_EQ(grid.cell(3, 4), 5);
    EXPECT_EQ(tagged(grid), Cells{"3,4=5"});
}

TEST(MapClicks, ValueZeroErasesAnyCell) {
    MapGrid grid;
    grid.set_cell(1, 1, 7);
    grid.set_cell(2, 2, 107);
    EXPECT_TRUE(click_cell(grid, {1, 1}, 0));
    EXPECT_TRUE(click_cell(grid, {2, 2}, 0));
    EXPECT_FALSE(click_cell(grid, {3, 3}, 0));  // "none" on an empty cell leaves it empty
    EXPECT_EQ(tagged(grid), Cells{});
}

TEST(MapClicks, ANewConnectionPointDemotesTheOldOne) {
    MapGrid grid;
    grid.set_cell(3, 10, 105);  // area 5's point in column 3
    grid.set_cell(28, 1, 5);
    EXPECT_TRUE(click_cell(grid, {28, 1}, 5));
    EXPECT_EQ(tagged(grid), (Cells{"3,10=5", "28,1=105"}));
    // Two points written by other means: both give way.
    grid.set_cell(4, 4, 105);
    grid.set_cell(6, 6, 2);
    EXPECT_TRUE(click_cell(grid, {6, 6}, 5));
    EXPECT_EQ(tagged(grid), (Cells{"3,10=5", "4,4=5", "6,6=105", "28,1=5"}));
}

TEST(MapClicks, APlainCellOfAnotherAreaBecomesThePointOfTheSelectedOne) {
    MapGrid grid;
    grid.set_cell(2, 2, 3);
    grid.set_cell(9, 9, 104);
    EXPECT_TRUE(click_cell(grid, {2, 2}, 4));
    EXPECT_EQ(tagged(grid), (Cells{"2,2=104", "9,9=4"}));
}

TEST(MapClicks, AConnectionPointBecomesPlainInItsOwnAreaWhateverIsSelected) {
    MapGrid grid;
    grid.set_cell(5, 5, 107);
    EXPECT_TRUE(click_cell(grid, {5, 5}, 3));
    EXPECT_EQ(grid.cell(5, 5), 7);
}

TEST(MapClicks, OffTheGridNothingChanges) {
    MapGrid grid;
    EXPECT_FALSE(click_cell(grid, {0, 1}, 5));
    EXPECT_FALSE(click_cell(grid, {29, 1}, 5));
    EXPECT_FALSE(click_cell(grid, {1, 31}, 5));
    EXPECT_EQ(grid, MapGrid{});
}

TEST(MapClicks, ConnectionPointsAreFoundLastInColumnOrder) {
    MapGrid grid;
    EXPECT_FALSE(find_connection_point(grid, 5));
    grid.set_cell(2, 30, 105);
    grid.set_cell(3, 1, 105);
    grid.set_cell(1, 1, 5);
    EXPECT_EQ(find_connection_point(grid, 5), (MapCell{3, 1}));
    EXPECT_FALSE(find_connection_point(grid, 4));
}

TEST(MapSaveCheck, EveryPaintedAreaNeedsAConnectionPoint) {
    MapGrid grid;
    EXPECT_FALSE(area_missing_connection_point(grid));
    grid.set_cell(1, 1, 12);
    grid.set_cell(2, 1, 7);
    grid.set_cell(3, 1, 107);
    EXPECT_EQ(area_missing_connection_point(grid), 12);
    grid.set_cell(4, 1, 9);
    EXPECT_EQ(area_missing_connection_point(grid), 9);  // the lowest first
    grid.set_cell(5, 1, 109);
    grid.set_cell(6, 1, 112);
    EXPECT_FALSE(area_missing_connection_point(grid));
    grid.set_cell(7, 1, 130);  // a point alone is complete
    EXPECT_FALSE(area_missing_connection_point(grid));
    grid.set_cell(8, 1, 99);
    EXPECT_EQ(area_missing_connection_point(grid), 99);
    grid.set_cell(9, 1, 199);
    EXPECT_FALSE(area_missing_connection_point(grid));
}

TEST(MapStrokes, APressAndReleaseOnOneCellIsAClick) {
    MapGrid grid;
    grid.set_cell(2, 2, 5);
    PaintStroke stroke({2, 2}, 5);
    EXPECT_EQ(grid.cell(2, 2), 5);               // nothing on the press
    EXPECT_FALSE(stroke.drag_to(grid, {2, 2}));  // moving inside the cell
    EXPECT_TRUE(stroke.release(grid));
    EXPECT_EQ(grid.cell(2, 2), 105);
}

TEST(MapStrokes, DraggingPaintsEveryCellOnTheWayOnce) {
    MapGrid grid;
    PaintStroke stroke({1, 1}, 4);
    EXPECT_TRUE(stroke.drag_to(grid, {5, 1}));  // a jump of four cells
    EXPECT_EQ(tagged(grid), (Cells{"1,1=4", "2,1=4", "3,1=4", "4,1=4", "5,1=4"}));
    // Coming back over painted cells, and releasing there, makes no point.
    EXPECT_FALSE(stroke.drag_to(grid, {1, 1}));
    EXPECT_FALSE(stroke.release(grid));
    EXPECT_EQ(tagged(grid), (Cells{"1,1=4", "2,1=4", "3,1=4", "4,1=4", "5,1=4"}));
}

TEST(MapStrokes, ADragFromInsideAnAreaKeepsItsConnectionPoint) {
    MapGrid grid;
    grid.set_cell(1, 1, 3);
    grid.set_cell(4, 1, 103);
    PaintStroke stroke({1, 1}, 3);
    EXPECT_TRUE(stroke.drag_to(grid, {1, 3}));
    stroke.release(grid);
    EXPECT_EQ(tagged(grid), (Cells{"1,1=3", "1,2=3", "1,3=3", "4,1=103"}));
}

TEST(MapStrokes, DiagonalDragsLeaveNoGaps) {
    MapGrid grid;
    PaintStroke stroke({1, 1}, 2);
    stroke.drag_to(grid, {4, 7});
    const Cells cells = tagged(grid);
    EXPECT_EQ(cells.size(), 7u);  // one cell per row
    for (int y = 1; y <= 7; ++y) {
        int in_row = 0;
        for (int x = 1; x <= 4; ++x) in_row += grid.cell(x, y) == 2;
        EXPECT_EQ(in_row, 1) << "row " << y;
    }
    EXPECT_EQ(grid.cell(4, 7), 2);
}

TEST(MapStrokes, DraggingOverOtherAreasRepaintsThemButKeepsConnectionPoints) {
    MapGrid grid;
    grid.set_cell(2, 1, 9);
    grid.set_cell(3, 1, 109);
    grid.set_cell(4, 1, 103);
    PaintStroke stroke({1, 1}, 3);
    stroke.drag_to(grid, {5, 1});
    EXPECT_EQ(tagged(grid), (Cells{"1,1=3", "2,1=3", "3,1=109", "4,1=103", "5,1=3"}));
}

TEST(MapStrokes, ErasingStrokesClearEverything) {
    MapGrid grid;
    for (int x = 1; x <= 6; ++x) grid.set_cell(x, 3, x % 2 ? 4 : 104);
    PaintStroke stroke({1, 3}, 0);
    EXPECT_TRUE(stroke.drag_to(grid, {6, 3}));
    EXPECT_EQ(tagged(grid), Cells{});
}

TEST(MapStrokes, LeavingTheGridAndComingBack) {
    MapGrid grid;
    PaintStroke stroke({27, 1}, 6);
    EXPECT_TRUE(stroke.drag_to(grid, {31, 1}));  // off the right edge: column 28 on the way
    EXPECT_FALSE(stroke.drag_to(grid, {31, 3}));
    EXPECT_TRUE(stroke.drag_to(grid, {27, 3}));
    EXPECT_EQ(tagged(grid), (Cells{"27,1=6", "27,3=6", "28,1=6", "28,3=6"}));

    MapGrid outside;
    PaintStroke from_outside({0, 0}, 6);
    EXPECT_TRUE(from_outside.drag_to(outside, {2, 2}));
    EXPECT_EQ(tagged(outside), (Cells{"1,1=6", "2,2=6"}));
    MapGrid clicked_outside;
    EXPECT_FALSE(PaintStroke({0, 0}, 6).release(clicked_outside));
}

}  // namespace
}  // namespace quenlo
