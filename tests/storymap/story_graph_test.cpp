#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "foundation/base_script.h"
#include "project/new_project_files.h"
#include "storylayout/story_layout.h"
#include "storymap/dot_writer.h"
#include "storymap/story_graph.h"
#include "support/temp_project.h"

namespace quenlo {
namespace {

class SampleMap : public ::testing::Test {
protected:
    SampleMap() { write_new_project(BaseScript(), folder); }

    void append(const std::string& name, const std::string& text) const {
        parent.write("Avventura/" + name, parent.read("Avventura/" + name) + text);
    }

    const StoryRoom& room(const StoryGraph& graph, const std::string& name) const {
        const auto found = std::find_if(graph.rooms.begin(), graph.rooms.end(),
                                        [&](const StoryRoom& r) { return r.name == name; });
        EXPECT_NE(found, graph.rooms.end()) << name;
        return *found;
    }

    // "from -verb-> to" for exits, "from ..label..> to" for moves, in order.
    static std::vector<std::string> passages(const StoryGraph& graph) {
        std::vector<std::string> out;
        for (const StoryPassage& p : graph.passages)
            out.push_back(graph.rooms[p.from].name +
                          (p.kind == StoryPassage::Kind::exit ? " -" + p.label + "-> "
                                                              : " .." + p.label + ".> ") +
                          graph.rooms[p.to].name);
        return out;
    }

    test::TempFolder parent;
    std::string folder = parent.path() + "/Avventura";
};

TEST_F(SampleMap, ShowsTheFourRoomsAndTheirExits) {
    const StoryGraph graph = read_story_graph(folder);
    ASSERT_EQ(graph.rooms.size(), 4u);
    EXPECT_EQ(graph.rooms_file, folder + "/rooms.qnr");
    const StoryRoom& dark = room(graph, "_rStanzaBuia_");
    EXPECT_TRUE(dark.start);
    EXPECT_EQ(dark.header_line, 8u);  // "{*1}"
    EXPECT_TRUE(room(graph, "_rFaro_").dialog);
    EXPECT_EQ(room_header(room(graph, "_rFaro_")), "{:4}");
    for (const StoryRoom& r : graph.rooms) EXPECT_FALSE(r.unreachable) << r.name;
    // The door of the dark room is an object with a :direction:; the garden's
    // two texts both lead back with "entra", drawn once.
    EXPECT_EQ(passages(graph), (std::vector<std::string>{
                                   "_rGiardino_ -entra-> _rStanzaBuia_",
                                   "_rGiardino_ -vai-> _rSentiero_",
                                   "_rSentiero_ -sali-> _rFaro_",
                                   "_rSentiero_ -torna-> _rGiardino_",
                                   "_rFaro_ -scendi-> _rSentiero_",
                                   "_rStanzaBuia_ -esci-> _rGiardino_",
                               }));

    // Laid out, every room has a box of its own and every exit a curve that
    // leaves its room's box and a label.
    const StoryLayout layout = lay_out_story(graph);
    ASSERT_EQ(layout.rooms.size(), 4u);
    ASSERT_EQ(layout.passages.size(), graph.passages.size());
    for (const RoomBox& a : layout.rooms)
        for (const RoomBox& b : layout.rooms)
            if (&a != &b) {
                EXPECT_FALSE(a.contains({b.x + b.width / 2, b.y + b.height / 2}));
            }
    for (const PassageCurve& curve : layout.passages) {
        ASSERT_GE(curve.points.size(), 4u);
        EXPECT_TRUE(curve.label.has_value());
        const std::size_t from = graph.passages[curve.passage].from;
        const RoomBox& box = *std::find_if(layout.rooms.begin(), layout.rooms.end(),
                                           [&](const RoomBox& b) { return b.room == from; });
        const LayoutPoint start = curve.points.front();
        EXPECT_NEAR(std::clamp(start.x, box.x, box.x + box.width), start.x, 2.0);
        EXPECT_NEAR(std::clamp(start.y, box.y, box.y + box.height), start.y, 2.0);
    }
}

TEST_F(SampleMap, FlagsARoomWithNoWayInAndDrawsMovesFromWhereTheyRun) {
    append("rooms.qnr",
           "\r\n{#5}\r\n_rCripta_\r\nUna cripta senza porte.\r\n"
           "\r\n{6}\r\n_rPozzo_\r\nIl fondo del pozzo.\r\n"
           "\r\n{7}\r\n_rCantina_\r\nUna cantina umida.\r\n");
    // The lamp stands in the lighthouse, so pulling it moves from there; the
    // oil's move runs in no room anyone can tell.
    append("actions.qna",
           "\r\nif (f_action(\"_lampadaFaro_\", \"tira\")) {\r\n"
           "  f_moveplayer(\"_rPozzo_\");\r\n  return true;\r\n}\r\n"
           "if (f_isplayerin(\"_rSentiero_\")) f_moveplayer(\"_rPozzo_\");\r\n"
           "function f_olio() {\r\n  f_moveplayer(\"_rCantina_\");\r\n}\r\n");
    const StoryGraph graph = read_story_graph(folder);
    ASSERT_EQ(graph.rooms.size(), 7u);
    const StoryRoom& crypt = room(graph, "_rCripta_");
    EXPECT_TRUE(crypt.unreachable);
    EXPECT_TRUE(crypt.hidden);
    EXPECT_FALSE(room(graph, "_rPozzo_").unreachable);
    EXPECT_FALSE(room(graph, "_rCantina_").unreachable);
    EXPECT_FALSE(room(graph, "_rStanzaBuia_").unreachable);
    const std::vector<std::string> all = passages(graph);
    EXPECT_EQ(std::vector<std::string>(all.begin() + 6, all.end()),
              (std::vector<std::string>{"_rFaro_ .._lampadaFaro_.> _rPozzo_",
                                        "_rSentiero_ ...> _rPozzo_"}));

    const std::string dot = story_dot(graph);
    EXPECT_NE(dot.find("\"_rCripta_\" [id=\"r4\", label=\"_rCripta_\\n{#5} hidden\\nunreachable\", "
                       "style=\"solid,dashed\", color=red, fontcolor=red];"),
              std::string::npos)
        << dot;
    EXPECT_NE(dot.find("\"_rFaro_\" -> \"_rPozzo_\" [id=\"p6\", label=\"_lampadaFaro_\", "
                       "style=dashed];"),
              std::string::npos);
    // A computed room might be any room: then none is called unreachable.
    append("actions.qna", "function f_via(r) { f_moveplayer(r); }\r\n");
    EXPECT_FALSE(room(read_story_graph(folder), "_rCripta_").unreachable);
}

TEST(ManyExits, KeepTheirLabelsBesideTheArrows) {
    test::TempFolder folder;
    std::string rooms = "{*1}\r\n_rS1_\r\nInizio.\r\n";
    for (int n = 2; n <= 70; ++n)
        rooms += "{" + std::to_string(n) + "}\r\n_rS" + std::to_string(n) + "_\r\nUna {via|_x" +
                 std::to_string(n) + "_|torna|_rS" + std::to_string(n - 1) + "_}.\r\n";
    folder.write("rooms.qnr", rooms);
    const StoryGraph graph = read_story_graph(folder.path());
    ASSERT_EQ(graph.passages.size(), 69u);
    EXPECT_NE(story_dot(graph).find("[id=\"p0\", xlabel=\"torna\"]"), std::string::npos);
    const StoryLayout layout = lay_out_story(graph);
    ASSERT_EQ(layout.passages.size(), 69u);
    for (const PassageCurve& curve : layout.passages) EXPECT_TRUE(curve.label) << curve.passage;
    // Each room leads back to the one before: only the last has no way in.
    std::vector<std::string> red;
    for (const StoryRoom& r : graph.rooms)
        if (r.unreachable) red.push_back(r.name);
    EXPECT_EQ(red, std::vector<std::string>{"_rS70_"});
}

TEST(DotQuoted, EscapesQuotesBackslashesAndBreaksAndKeepsUtf8) {
    EXPECT_EQ(dot_quoted("vai \"giù\"\\su\r\nè"), "\"vai \\\"giù\\\"\\\\su\\nè\"");
}

}  // namespace
}  // namespace quenlo
