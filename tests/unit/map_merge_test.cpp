#include "merges/map_merge.h"

#include <gtest/gtest.h>

#include "foundation/text.h"
#include "foundation/map_files.h"
#include "support/build_harness.h"

namespace quenlo {
namespace {

constexpr std::string_view map_page =
    "var g_enablemap = ___ENABLEMAP___;\r\n"
    "var g_map1 = [\r\n___MAP1___\r\n];\r\nvar g_omap1 = [\r\n___MAP1___\r\n];\r\n"
    "var g_map2 = [\r\n___MAP2___\r\n];\r\nvar g_map3 = [\r\n___MAP3___\r\n];\r\n"
    "var g_connections = [\r\n___CONNECTIONS___\r\n0\r\n];";

std::string blank_map() {
    return std::string(MapGrid::file_length, '0') + "\r\n";
}

struct Maps : test::PhaseHarness {
    explicit Maps(const std::map<std::string, std::string>& files, Switches switches = {})
        : test::PhaseHarness(files, switches) {
        build.page = map_page;
    }
    std::string run() {
        return error_of([&] {
            test_map_image(build);
            merge_map_switch(build);
            merge_maps(build);
        });
    }
    std::vector<std::string> array(std::string_view opening) const {
        return test::lines_between(build.page, opening, "];");
    }
};

std::string zeros_list() {
    std::string list = "0";
    for (int i = 1; i < MapGrid::cells; ++i) list += ",0";
    return list;
}

TEST(MapMerge, MapPictureSwitchesTheMapOn) {
    std::string map1 = blank_map();
    map1.replace(64 * 3, 3, "107");  // column 3, row 5
    map1.replace(0, 3, "001");       // column 1, row 1
    Maps m(test::Files{{"mapimage1.qn", "data:image/gif;base64,R0lGOD\r\nlhAQ==\r\n"},
                       {"map1.qn", map1},
                       {"map2.qn", blank_map()},
                       {"map3.qn", blank_map()},
                       {"connections.qn", " 3,7 \r\n\r\n5,80\r\n"}});
    ASSERT_EQ(m.run(), "(no error)");
    EXPECT_NE(m.build.page.find("var g_enablemap = true;"), std::string::npos);
    const auto map = m.array("var g_map1 = [");
    ASSERT_EQ(map.size(), 1u);
    const auto cells = split_lines(replace_all(map[0], ",", "\n"));
    ASSERT_EQ(cells.size(), 840u);
    EXPECT_EQ(cells[0], "1");
    EXPECT_EQ(cells[(3 - 1) + (5 - 1) * 28], "107");
    EXPECT_EQ(m.array("var g_omap1 = ["), map);
    EXPECT_EQ(m.array("var g_map2 = ["), std::vector<std::string>{zeros_list()});
    EXPECT_EQ(m.array("var g_connections = ["),
              (std::vector<std::string>{"3,7,", ",", "5,80,", "", "0"}));
    EXPECT_EQ(m.log_texts(), (std::vector<std::string>{
                                 "Check for map image (mapimage1.qn) ...",
                                 "FOUND! Map enabled...",
                                 "Replaced [ ___ENABLEMAP___ ]",
                                 "Merge map data (map1.qn) ...",
                                 "Replaced [ ___MAP1___ ]",
                                 "Merge map data (map2.qn) ...",
                                 "Replaced [ ___MAP2___ ]",
                                 "Merge map data (map3.qn) ...",
                                 "Replaced [ ___MAP3___ ]",
                                 "Merge maps connections (connections.qn) ...",
                                 "Replaced [ ___CONNECTIONS___ ]",
                             }));
    EXPECT_TRUE(m.build.map_enabled);
}

TEST(MapMerge, BlankPictureLeavesTheMapOff) {
    Maps m(test::Files{{"mapimage1.qn", "  \r\n\t\r\n"}, {"map1.qn", "rotto"}});
    ASSERT_EQ(m.run(), "(no error)");
    EXPECT_FALSE(m.build.map_enabled);
    EXPECT_NE(m.build.page.find("var g_enablemap = false;"), std::string::npos);
    EXPECT_EQ(m.array("var g_map1 = ["), std::vector<std::string>{""});
    EXPECT_EQ(m.build.page.find("___MAP"), std::string::npos);
    // The connections wait for the image phase.
    EXPECT_NE(m.build.page.find("___CONNECTIONS___"), std::string::npos);
    EXPECT_EQ(m.log_texts(), (std::vector<std::string>{
                                 "Check for map image (mapimage1.qn) ...",
                                 "NOT FOUND! Map disabled...",
                                 "Replaced [ ___ENABLEMAP___ ]",
                                 "Replaced [ ___MAP1___ ]",
                                 "Replaced [ ___MAP2___ ]",
                                 "Replaced [ ___MAP3___ ]",
                             }));
}

TEST(MapMerge, SkippedImagesKeepTheMapOff) {
    Switches switches;
    switches.skip_images_merging = true;
    Maps m(test::Files{{"mapimage1.qn", "data:image/gif;base64,R0lGOD"}}, switches);
    ASSERT_EQ(m.run(), "(no error)");
    EXPECT_FALSE(m.build.map_enabled);
    EXPECT_EQ(m.log_texts()[1], " skipped!");
}

TEST(MapMerge, MissingMapPictureFailsWithTheFileError) {
    Maps m({});
    m.project.remove("mapimage1.qn");
    EXPECT_EQ(m.run(), "Cannot open file \"" + m.project.file("mapimage1.qn") +
                           "\". No such file or directory");
}

TEST(MapMerge, InvalidFiles) {
    const std::map<std::string, std::string> valid = {{"mapimage1.qn", "x"},
                                                      {"map1.qn", blank_map()},
                                                      {"map2.qn", blank_map()},
                                                      {"map3.qn", blank_map()}};
    auto with = [&](const std::string& file, const std::string& text) {
        auto files = valid;
        files[file] = text;
        return files;
    };
    EXPECT_EQ(Maps(with("map1.qn", "")).run(), "Invalid map1.qn file!");
    EXPECT_EQ(Maps(with("map2.qn", blank_map().substr(0, 2517))).run(), "Invalid map2.qn file!");
    std::string broken = blank_map();
    broken.insert(90, "\r\n");
    EXPECT_EQ(Maps(with("map3.qn", broken)).run(), "Invalid map3.qn file!");

    Maps missing(valid);
    missing.project.remove("map2.qn");
    EXPECT_EQ(missing.run(), "Invalid map2.qn file!");
    Maps no_connections(valid);
    no_connections.project.remove("connections.qn");
    EXPECT_EQ(no_connections.run(), "Invalid connections.qn file!");
}

TEST(MapMerge, EmptyConnectionsGiveAnEmptyList) {
    Maps m(test::Files{{"mapimage1.qn", "x"},
                       {"map1.qn", blank_map()},
                       {"map2.qn", blank_map()},
                       {"map3.qn", blank_map()}});
    ASSERT_EQ(m.run(), "(no error)");
    EXPECT_EQ(m.array("var g_connections = ["),
              (std::vector<std::string>{"", "0"}));  // nothing before "0"
}

TEST(MapMerge, StopWhileMergingIsReportedAsThatMapsError) {
    Maps m(test::Files{{"mapimage1.qn", "x"},
                       {"map1.qn", blank_map()},
                       {"map2.qn", blank_map()},
                       {"map3.qn", blank_map()}});
    m.events.on_poll = [&](int polls) {
        if (polls == 6) m.stop = true;  // while map 1 is placed
    };
    EXPECT_EQ(m.run(), "Invalid map1.qn file!");
    EXPECT_TRUE(m.stop);
}

}  // namespace
}  // namespace quenlo
