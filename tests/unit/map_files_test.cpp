#include "foundation/map_files.h"

#include <gtest/gtest.h>

namespace quenlo {
namespace {

std::string blank_map() {
    return std::string(MapGrid::file_length, '0');
}

// The field of cell (x, y) in a grid file.
std::size_t field_of(int x, int y) {
    return ((x - 1) * MapGrid::rows + (y - 1)) * 3;
}

TEST(MapFiles, BlankMapWithItsLineBreakIsAnEmptyGrid) {
    const auto grid = parse_map_grid(blank_map() + "\r\n");
    ASSERT_TRUE(grid);
    EXPECT_EQ(*grid, MapGrid{});
}

TEST(MapFiles, FieldsRunDownTheColumns) {
    std::string text = blank_map();
    text.replace(64 * 3, 3, "107");  // column 3, row 5
    text.replace(field_of(1, 2), 3, "001");
    text.replace(field_of(28, 30), 3, "079");
    const auto grid = parse_map_grid(text);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->cell(3, 5), 107);
    EXPECT_EQ(grid->cell(1, 2), 1);
    EXPECT_EQ(grid->cell(2, 1), 0);
    EXPECT_EQ(grid->cell(28, 30), 79);
}

TEST(MapFiles, LengthRules) {
    EXPECT_FALSE(parse_map_grid(blank_map().substr(0, 2517)));
    EXPECT_FALSE(parse_map_grid(""));
    auto short_last = parse_map_grid(blank_map().substr(0, 2518));
    ASSERT_TRUE(short_last);
    std::string two_digits = blank_map().substr(0, 2517) + "42";
    EXPECT_EQ(parse_map_grid(two_digits)->cell(28, 30), 42);
    // Only the first 2520 characters are read.
    EXPECT_TRUE(parse_map_grid(blank_map() + std::string(80, 'x')));
}

TEST(MapFiles, InvalidFields) {
    std::string per_column;
    for (int x = 0; x < MapGrid::columns; ++x) per_column += std::string(90, '0') + "\r\n";
    EXPECT_FALSE(parse_map_grid(per_column));
    std::string letters = blank_map();
    letters.replace(300, 3, "0a1");
    EXPECT_FALSE(parse_map_grid(letters));
    std::string accented = blank_map();
    accented.replace(30, 2, "\xC3\xA8");
    EXPECT_FALSE(parse_map_grid(accented));
}

TEST(MapFiles, ConnectionLines) {
    const auto lines = parse_connections(" 3,7 \r\n3;7\r\n\r\n5,80\r\n1, 2\r\nx,1");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].text, "3,7");
    ASSERT_TRUE(lines[0].areas);
    EXPECT_EQ(lines[0].areas->first, 3);
    EXPECT_EQ(lines[0].areas->second, 7);
    EXPECT_EQ(lines[1].text, "3;7");
    EXPECT_FALSE(lines[1].areas);
    EXPECT_EQ(lines[2].text, "");
    EXPECT_FALSE(lines[2].areas);
    ASSERT_TRUE(lines[3].areas);
    EXPECT_TRUE(is_valid_connection(*lines[3].areas));
    ASSERT_TRUE(lines[4].areas);
    EXPECT_EQ(lines[4].areas->second, 2);
    EXPECT_FALSE(lines[5].areas);
    EXPECT_TRUE(parse_connections("").empty());
}

TEST(MapFiles, ValidConnectionAreas) {
    EXPECT_TRUE(is_valid_connection({1, 80}));
    EXPECT_FALSE(is_valid_connection({0, 5}));
    EXPECT_FALSE(is_valid_connection({5, 81}));
}

}  // namespace
}  // namespace quenlo
