// The connections as the map editor draws, marks and saves them.

#include "project/map_connections.h"

#include <gtest/gtest.h>

namespace quenlo {
namespace {

using State = ConnectionDrawing::State;

std::vector<State> states(std::string_view text, const MapGrid& grid) {
    std::vector<State> all;
    for (const ConnectionDrawing& drawing : draw_connections(text, grid))
        all.push_back(drawing.state);
    return all;
}

MapGrid grid_with_points() {
    MapGrid grid;
    grid.set_cell(2, 3, 103);    // area 3
    grid.set_cell(10, 20, 107);  // area 7
    grid.set_cell(11, 20, 7);
    grid.set_cell(1, 1, 5);  // area 5 has no point
    return grid;
}

TEST(MapConnectionDrawing, BothPointsFoundDrawsBetweenThem) {
    const auto drawings = draw_connections(" 3,7 ", grid_with_points());
    ASSERT_EQ(drawings.size(), 1u);
    EXPECT_EQ(drawings[0].state, State::drawn);
    EXPECT_EQ(drawings[0].from, (MapCell{2, 3}));
    EXPECT_EQ(drawings[0].to, (MapCell{10, 20}));
    EXPECT_FALSE(has_invalid_connection(drawings));
}

TEST(MapConnectionDrawing, OnlyOneEndOnTheMapIsInvalid) {
    MapGrid grid = grid_with_points();
    EXPECT_EQ(states("3,5", grid), std::vector<State>{State::invalid});
    EXPECT_EQ(states("5,7", grid), std::vector<State>{State::invalid});
    EXPECT_TRUE(has_invalid_connection(draw_connections("3,7\n5,7", grid)));
    // Neither end on this map: nothing drawn, nothing wrong.
    EXPECT_EQ(states("5,9", grid), std::vector<State>{State::undrawn});
    EXPECT_EQ(states("5,80", grid), std::vector<State>{State::undrawn});
    EXPECT_FALSE(has_invalid_connection(draw_connections("5,9\n5,80", grid)));
}

TEST(MapConnectionDrawing, LinesThatAreNotTwoAreasFromOneToEighty) {
    const MapGrid grid = grid_with_points();
    EXPECT_EQ(states("3,x\n,7\n0,3\n3,81\n3,7,9\n-3,7", grid),
              std::vector<State>(6, State::invalid));
}

TEST(MapConnectionDrawing, LinesWithoutACommaAreIgnored) {
    const MapGrid grid = grid_with_points();
    EXPECT_EQ(states("3;7\n\n  \n,\n37", grid), std::vector<State>(5, State::ignored));
    EXPECT_FALSE(has_invalid_connection(draw_connections("3;7\n,", grid)));
}

TEST(MapConnectionDrawing, EveryLineIsLookedAtEvenAfterAnInvalidOne) {
    EXPECT_EQ(states("3,x\r\n3,7\r\n3;7", grid_with_points()),
              (std::vector<State>{State::invalid, State::drawn, State::ignored}));
}

TEST(MapConnectionSaving, KeepsTheValidLinesTrimmedInOrder) {
    const auto kept = saved_connections(" 3,7 \n\n3;7\n\t1,80\n5,80\n");
    ASSERT_TRUE(kept);
    EXPECT_EQ(*kept, (std::vector<std::string>{"3,7", "1,80", "5,80"}));
    EXPECT_EQ(saved_connections(""), std::vector<std::string>{});
}

TEST(MapConnectionSaving, RefusesALineWithACommaThatIsNoConnection) {
    EXPECT_FALSE(saved_connections("1,2\n3,x"));
    EXPECT_FALSE(saved_connections("0,2"));
    EXPECT_FALSE(saved_connections("2,81"));
    EXPECT_FALSE(saved_connections(","));
    EXPECT_FALSE(saved_connections("3,7,9"));
}

}  // namespace
}  // namespace quenlo
