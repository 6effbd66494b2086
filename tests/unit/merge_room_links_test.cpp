#include "compilers/merge_room_links.h"

#include <gtest/gtest.h>

#include "model/room_links.h"
#include "support/build_harness.h"

namespace quenlo {
namespace {

struct Links : test::PhaseHarness {
    // The text as the one line of a rooms file, read by the model.
    std::string merge(std::string_view text) {
        file.path = "rooms.qnr";
        file.lines = {std::string(text)};
        RoomText room_text;
        room_text.joined = file.lines[0];
        room_text.lines = {0};
        read_room_links(room_text, file.lines);
        return error_of([&] { result = merge_room_links(build, file, room_text); });
    }
    SourceFile file;
    std::string result;
};

TEST(MergeRoomLinks, RoomLinkBecomesAMarkerAndIsRecorded) {
    Links l;
    ASSERT_EQ(l.merge("C'è una {scritta|_scrittaStanzaBuia_} sul muro. "), "(no error)");
    EXPECT_EQ(l.result, "C'è una @c_scrittaStanzaBuia_@scritta@ sul muro. ");
    EXPECT_EQ(l.build.lstobjroom, std::vector<std::string>{"_scrittaStanzaBuia_"});
    EXPECT_EQ(l.build.room_link_objects, std::vector<std::string>{"_scrittaStanzaBuia_"});
    EXPECT_TRUE(l.build.exits.empty());
    EXPECT_EQ(l.log_texts(), std::vector<std::string>{"Merge room object: _scrittaStanzaBuia_"});
}

TEST(MergeRoomLinks, ExitLinkDeclaresItsObject) {
    Links l;
    ASSERT_EQ(l.merge("Un sentiero porta al {bosco|_bosco15_|vai|_rBOSCO_}."), "(no error)");
    EXPECT_EQ(l.result, "Un sentiero porta al @c_bosco15_@bosco@.");
    ASSERT_EQ(l.build.exits.size(), 1u);
    const Exit& exit = l.build.exits[0];
    EXPECT_EQ(exit.object, "_bosco15_");
    EXPECT_EQ(exit.verb, "vai");
    EXPECT_EQ(exit.destination, "_rBOSCO_");
    EXPECT_EQ(exit.object_place.column, 29u);  // on the name, after its bar
    EXPECT_EQ(exit.destination_place.column, 43u);
    EXPECT_EQ(l.build.lstobjroom, std::vector<std::string>{"_bosco15_"});
    EXPECT_EQ(l.build.room_link_objects, std::vector<std::string>{"_bosco15_"});
}

TEST(MergeRoomLinks, DestinationKeepsFurtherBarsAndNothingIsTrimmed) {
    Links l;
    ASSERT_EQ(l.merge("{ a |_o1_|apri|_rX_|y}"), "(no error)");
    EXPECT_EQ(l.result, "@c_o1_@ a @");
    ASSERT_EQ(l.build.exits.size(), 1u);
    EXPECT_EQ(l.build.exits[0].destination, "_rX_|y");
}

TEST(MergeRoomLinks, SameLinkTwiceIsRecordedTwice) {
    Links l;
    ASSERT_EQ(l.merge("{a|_lume_} e {b|_lume_}"), "(no error)");
    EXPECT_EQ(l.result, "@c_lume_@a@ e @c_lume_@b@");
    EXPECT_EQ(l.build.lstobjroom, (std::vector<std::string>{"_lume_", "_lume_"}));
    EXPECT_EQ(l.build.room_link_objects, (std::vector<std::string>{"_lume_", "_lume_"}));
    EXPECT_EQ(l.log_texts().size(), 2u);
}

TEST(MergeRoomLinks, TextWithoutLinksIsUnchanged) {
    Links l;
    ASSERT_EQ(l.merge("Niente qui | tranne una barra"), "(no error)");
    EXPECT_EQ(l.result, "Niente qui | tranne una barra");
    EXPECT_TRUE(l.log_texts().empty());
}

TEST(MergeRoomLinks, MalformedLinksFailWithTheWholeText) {
    for (const std::string text : {
             "{a|b}",                    // fewer than four characters between the braces
             "{|_obj_}",                 // no shown text
             "{scritta|}",               // nothing after the bar
             "{scritta _obj_}",          // no bar
             "{scritta|_obj_",           // no closing brace
             "x } {a|_obj_}",            // "}" before the first "{"
             "x | {a|_obj_}",            // "|" before the first "{"
             "{a|_o_} | {b|_p_}",        // a bar between two links
             "{bosco|_b1_|_rBOSCO_}",    // three parts: the verb is empty
             "{bosco|_b1_||_rBOSCO_}",   // empty verb
             "{bosco|_b|vai|_rBOSCO_}",  // object of fewer than three characters
             "{bosco|_b1_|vai|_r}",      // destination of fewer than three characters
             "{a{b|_obj_}",              // a brace in the shown text
         }) {
        Links l;
        EXPECT_EQ(l.merge(text), "failed object merging: " + text) << text;
    }
}

TEST(MergeRoomLinks, EarlierLinksOfAFailingTextAreAlreadyRecorded) {
    Links l;
    EXPECT_EQ(l.merge("{a|_lume_} poi {b|}"), "failed object merging: {a|_lume_} poi {b|}");
    EXPECT_EQ(l.build.lstobjroom, std::vector<std::string>{"_lume_"});
}

TEST(MergeRoomLinks, LengthsCountCharactersNotBytes) {
    Links l;
    // "è|_o" is four characters but five bytes; "è|o" only three.
    EXPECT_EQ(l.merge("{\xC3\xA8|_o}"), "(no error)");
    EXPECT_EQ(l.merge("{\xC3\xA8"
                      "\xC3\xA8|o}"),
              "(no error)");
    EXPECT_EQ(l.merge("{\xC3\xA8|a}"), "failed object merging: {\xC3\xA8|a}");
    EXPECT_EQ(l.merge("{a|_\xC3\xA8|vai|_rX_}"), "failed object merging: {a|_\xC3\xA8|vai|_rX_}");
    EXPECT_EQ(l.merge("{a|_o1_|vai|_\xC3\xA8}"), "failed object merging: {a|_o1_|vai|_\xC3\xA8}");
}

TEST(MergeRoomLinks, ManyLinksInOneTextInLinearTime) {
    Links l;
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "parola {leva|_leva" + std::to_string(i) + "_} ";
    ASSERT_EQ(l.merge(text), "(no error)");
    EXPECT_EQ(l.build.lstobjroom.size(), 20000u);
    EXPECT_EQ(l.result.find('{'), std::string::npos);
    EXPECT_TRUE(l.result.starts_with("parola @c_leva0_@leva@ parola @c_leva1_@leva@"));
}

}  // namespace
}  // namespace quenlo
