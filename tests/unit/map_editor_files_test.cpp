// The files the map editor opens, with the warnings it shows about them.

#include "project/map_editor_files.h"

#include <gtest/gtest.h>

#include "foundation/error.h"
#include "support/temp_project.h"

namespace quenlo {
namespace {

std::string message_of(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    return "(no error)";
}

class MapEditorFiles : public ::testing::Test {
protected:
    std::string folder() const { return project.path() + "/"; }
    test::TempProject project;
};

TEST_F(MapEditorFiles, Names) {
    EXPECT_EQ(map_file_name(2), "map2.qn");
    EXPECT_EQ(map_picture_name(3), "map3.gif");
}

TEST_F(MapEditorFiles, ReadsAMapFile) {
    std::string text(MapGrid::file_length, '0');
    text.replace(192, 3, "107");
    project.write("map2.qn", text + "\r\n");
    const MapGrid grid = read_map_file(folder(), 2);
    EXPECT_EQ(grid.cell(3, 5), 107);
}

TEST_F(MapEditorFiles, MissingAndInvalidMapFiles) {
    project.remove("map3.qn");
    EXPECT_EQ(message_of([&] { read_map_file(folder(), 3); }), "File map3.qn not found!");
    // The empty map1.qn of a test project.
    EXPECT_EQ(message_of([&] { read_map_file(folder(), 1); }),
              "Invalid map1.qn file! The text ends after 0 characters, before the field of "
              "column 1, row 1.");
    std::string text(MapGrid::file_length, '0');
    text.replace(90, 2, "\r\n");
    project.write("map1.qn", text);
    EXPECT_EQ(message_of([&] { read_map_file(folder(), 1); }),
              "Invalid map1.qn file! The field of column 2, row 1 (from character 91) holds a "
              "line break.");
}

TEST_F(MapEditorFiles, ReadsTheConnectionLines) {
    project.write("connections.qn", "1,2\r\n 3,7 \r\n");
    EXPECT_EQ(read_connections_file(folder()), (std::vector<std::string>{"1,2", " 3,7 "}));
    project.remove("connections.qn");
    EXPECT_EQ(message_of([&] { read_connections_file(folder()); }),
              "File connections.qn not found!");
}

TEST_F(MapEditorFiles, Messages) {
    EXPECT_EQ(file_not_found_message("map1.gif"), "File map1.gif not found!");
    EXPECT_EQ(invalid_picture_message("map2.gif", "Unable to read image data"),
              "Invalid map2.gif image file! Unable to read image data");
    EXPECT_EQ(picture_size_message("map3.gif"), "Invalid map3.gif image size (not 560x600)!");
    EXPECT_EQ(unable_to_save_message(1, "Bad."),
              "Unable to save map1.qn file! Bad.\r\n\r\nClose window anyway?");
    EXPECT_EQ(missing_connection_point_message(12), "Missing connection point for area: 12");
    EXPECT_EQ(invalid_connections_message, "Invalid connections!");
    EXPECT_EQ(save_changes_question, "Save changes?");
}

}  // namespace
}  // namespace quenlo
