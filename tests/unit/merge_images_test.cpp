#include "backend/merge_images.h"

#include <gtest/gtest.h>

#include <atomic>

#include "foundation/build.h"
#include "foundation/error.h"
#include "support/temp_project.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

const std::string page_with_pictures =
    "'<img src=\\'___COVERIMAGE___\\'>'+ ///\xC2\xB0\xC2\xB0\xC2\xB0\r\n"
    "[___FAILIMAGE___|___SUCCESSIMAGE___]\r\n"
    "var maps = ['', '___MAPIMAGE1___', '___MAPIMAGE2___', '___MAPIMAGE3___'];\r\n"
    "var g_connections = [\r\n___CONNECTIONS___\r\n0\r\n];";

class MergeImages : public ::testing::Test {
protected:
    MergeImages() {
        project.write("coverimage.qn", "data:image/gif;base64,\r\nCOVER\r\n");
        project.write("failimage.qn", "FAIL");
        project.write("successimage.qn", "  WIN  ");
        project.write("mapimage1.qn", "MAP1");
        project.write("mapimage3.qn", "MAP3");
    }
    // "merged", or the failure message.
    std::string merge(bool map_enabled) {
        build.map_enabled = map_enabled;
        build.page = page_with_pictures;
        try {
            merge_images(build);
        } catch (const Error& e) {
            return e.what();
        }
        return "merged";
    }

    test::TempProject project;
    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
    std::atomic<bool> stop{false};
    Build build{project.path(), Switches{}, false, log, stop};
};

TEST_F(MergeImages, WithoutTheMapItsPicturesAndConnectionsAreEmptied) {
    ASSERT_EQ(merge(false), "merged");
    EXPECT_EQ(build.page,
              "'<img src=\\'data:image/gif;base64,COVER\\'>'+ ///\xC2\xB0\xC2\xB0\xC2\xB0\r\n"
              "[FAIL|WIN]\r\n"
              "var maps = ['', '', '', ''];\r\n"
              "var g_connections = [\r\n\r\n0\r\n];");
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{
                                "Merge file: " + project.file("coverimage.qn"),
                                "Merge file: " + project.file("failimage.qn"),
                                "Merge file: " + project.file("successimage.qn"),
                                "Replaced [ ___MAPIMAGE1___ ]",
                                "Replaced [ ___MAPIMAGE2___ ]",
                                "Replaced [ ___MAPIMAGE3___ ]",
                                "Replaced [ ___CONNECTIONS___ ]",
                            }));
    EXPECT_EQ(events.polls, 3 + 7);  // one after each story picture, one per log line
}

TEST_F(MergeImages, WithTheMapAllSixPicturesAreMergedInOrder) {
    ASSERT_EQ(merge(true), "merged");
    EXPECT_NE(build.page.find("var maps = ['', 'MAP1', '', 'MAP3'];"), std::string::npos);
    EXPECT_NE(build.page.find("___CONNECTIONS___"), std::string::npos);
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{
                                "Merge file: " + project.file("coverimage.qn"),
                                "Merge file: " + project.file("failimage.qn"),
                                "Merge file: " + project.file("successimage.qn"),
                                "Merge file: " + project.file("mapimage1.qn"),
                                "Merge file: " + project.file("mapimage2.qn"),
                                "Merge file: " + project.file("mapimage3.qn"),
                            }));
}

TEST_F(MergeImages, AMissingPictureFailsAndIsNotNamed) {
    project.remove("failimage.qn");
    EXPECT_EQ(merge(false), "Unable to merge");
    EXPECT_EQ(sink.texts(),
              std::vector<std::string>{"Merge file: " + project.file("coverimage.qn")});
}

TEST_F(MergeImages, MapPicturesMustExistOnlyWithTheMapOn) {
    project.remove("mapimage2.qn");
    EXPECT_EQ(merge(false), "merged");
    EXPECT_EQ(merge(true), "Unable to merge");
    EXPECT_EQ(sink.texts().back(), "Merge file: " + project.file("mapimage1.qn"));
}

TEST_F(MergeImages, LongPicturesAreCutIntoVerbatimPieces) {
    project.write("coverimage.qn", std::string(1000, 'A') + "\r\n" + std::string(2000, 'B'));
    ASSERT_EQ(merge(false), "merged");
    const std::string joint = "'+ ///\xC2\xB0\xC2\xB0\xC2\xB0\r\n'";
    const std::string expected = std::string(1000, 'A') + std::string(24, 'B') + joint +
                                 std::string(1024, 'B') + joint + std::string(952, 'B');
    EXPECT_NE(build.page.find("'<img src=\\'" + expected + "\\'>'"), std::string::npos);
}

TEST_F(MergeImages, StopIsNoticedAfterTheFirstPicture) {
    events.on_poll = [&](int) { stop = true; };
    EXPECT_EQ(merge(false), "");
    EXPECT_EQ(sink.texts().size(), 1u);
}

}  // namespace
}  // namespace quenlo
