// Writing the grid and connections files, and what the reader says about a
// grid file it refuses: the map editor shows that text to the author.

#include <gtest/gtest.h>

#include "foundation/error.h"
#include "foundation/map_files.h"
#include "project/new_project_files.h"

namespace quenlo {
namespace {

std::string blank_fields() {
    return std::string(MapGrid::file_length, '0');
}

// A grid with something in each corner and a connection point inside.
MapGrid sample_grid() {
    MapGrid grid;
    grid.set_cell(1, 1, 1);
    grid.set_cell(28, 1, 12);
    grid.set_cell(1, 30, 79);
    grid.set_cell(28, 30, 179);
    grid.set_cell(3, 5, 107);
    grid.set_cell(4, 5, 7);
    return grid;
}

TEST(MapFileWriter, WritesThreeDigitFieldsColumnByColumnThenCrLf) {
    const std::string text = map_file_text(sample_grid());
    ASSERT_EQ(text.size(), 2522u);
    EXPECT_EQ(text.substr(2520), "\r\n");
    EXPECT_EQ(text.find_first_not_of("0123456789"), 2520u);
    // Column 3, row 5 is field 2 * 30 + 4 = 64: characters 193 to 195.
    EXPECT_EQ(text.substr(192, 3), "107");
    EXPECT_EQ(text.substr(64 * 3 + 3, 3), "000");          // column 3, row 6
    EXPECT_EQ(text.substr(3 * 30 * 3 + 4 * 3, 3), "007");  // column 4, row 5
    EXPECT_EQ(text.substr(0, 3), "001");
    EXPECT_EQ(text.substr(27 * 30 * 3, 3), "012");  // column 28, row 1
    EXPECT_EQ(text.substr(29 * 3, 3), "079");       // column 1, row 30
    EXPECT_EQ(text.substr(2517, 3), "179");
}

TEST(MapFileWriter, ABlankGridIsTheNewProjectsBlankMap) {
    EXPECT_EQ(map_file_text(MapGrid{}), blank_map_text());
    EXPECT_EQ(map_file_text(MapGrid{}), blank_fields() + "\r\n");
}

TEST(MapFileWriter, RoundTrips) {
    const MapGrid grid = sample_grid();
    const auto read = parse_map_grid(map_file_text(grid));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, grid);

    // Every value three digits hold, in every position.
    MapGrid all;
    int value = 0;
    for (int x = 1; x <= MapGrid::columns; ++x)
        for (int y = 1; y <= MapGrid::rows; ++y) all.set_cell(x, y, value++ % 1000);
    const std::string text = map_file_text(all);
    EXPECT_EQ(parse_map_grid(text), all);
    EXPECT_EQ(map_file_text(*parse_map_grid(text)), text);
}

TEST(MapFileWriter, RefusesValuesThreeDigitsCannotHold) {
    MapGrid grid = sample_grid();
    grid.set_cell(2, 7, -1);  // a file may say "-01"
    try {
        map_file_text(grid);
        FAIL() << "a negative cell was written";
    } catch (const Error& error) {
        EXPECT_STREQ(
            error.what(),
            "The cell of column 2, row 7 holds the value -1, which does not fit in three digits.");
    }
    grid.set_cell(2, 7, 999);
    EXPECT_EQ(map_file_text(grid).substr((30 + 6) * 3, 3), "999");
    grid.set_cell(2, 7, 1000);
    EXPECT_THROW(map_file_text(grid), Error);
}

TEST(MapFileWriter, ConnectionsFileHasOneLineEachWithCrLf) {
    EXPECT_EQ(connections_file_text({}), "");
    EXPECT_EQ(connections_file_text({"3,7"}), "3,7\r\n");
    EXPECT_EQ(connections_file_text({"1,2", "5,80"}), "1,2\r\n5,80\r\n");
    std::vector<std::string> lines;
    for (const ConnectionLine& line : parse_connections("1,2\r\n5,80\r\n"))
        lines.push_back(line.text);
    EXPECT_EQ(lines, (std::vector<std::string>{"1,2", "5,80"}));
}

TEST(MapFileReader, ReadsWhatTheParserReads) {
    const MapGridReading reading = read_map_grid(map_file_text(sample_grid()));
    ASSERT_TRUE(reading.grid);
    EXPECT_EQ(*reading.grid, sample_grid());
    EXPECT_EQ(reading.error, "");
    // A last field cut to one character, and a long file.
    EXPECT_TRUE(read_map_grid(blank_fields().substr(0, 2518)).grid);
    EXPECT_TRUE(read_map_grid(blank_fields() + "\r\n" + blank_fields()).grid);
}

TEST(MapFileReader, SaysWhichFieldIsNotANumber) {
    std::string letters = blank_fields();
    letters.replace(192, 3, "1O7");  // a letter O in column 3, row 5
    MapGridReading reading = read_map_grid(letters);
    EXPECT_FALSE(reading.grid);
    EXPECT_EQ(
        reading.error,
        "The field of column 3, row 5 (characters 193 to 195) is \"1O7\", not a valid integer "
        "value.");

    std::string blank = blank_fields();
    blank.replace(3, 3, " 07");
    EXPECT_EQ(
        read_map_grid(blank).error,
        "The field of column 1, row 2 (characters 4 to 6) is \" 07\", not a valid integer value.");
}

TEST(MapFileReader, SaysWhereALineBreakShiftsTheFields) {
    // One line per column: the first break falls in the 31st field.
    std::string per_column;
    for (int x = 0; x < MapGrid::columns; ++x) per_column += std::string(90, '0') + "\r\n";
    const MapGridReading reading = read_map_grid(per_column);
    EXPECT_FALSE(reading.grid);
    EXPECT_EQ(reading.error,
              "The field of column 2, row 1 (from character 91) holds a line break.");
}

TEST(MapFileReader, SaysWhereACharacterBeyondAsciiStands) {
    std::string accented = blank_fields();
    accented.replace(31, 2, "\xC3\xA8");  // "è" inside column 1, row 11
    EXPECT_EQ(read_map_grid(accented).error,
              "The field of column 1, row 11 (from character 31) holds a character that is not "
              "a digit.");
}

TEST(MapFileReader, SaysWhereAShortTextEnds) {
    EXPECT_EQ(read_map_grid(blank_fields().substr(0, 2517)).error,
              "The text ends after 2517 characters, before the field of column 28, row 30.");
    EXPECT_EQ(read_map_grid("").error,
              "The text ends after 0 characters, before the field of column 1, row 1.");
}

}  // namespace
}  // namespace quenlo
