#include "foundation/placeholders.h"

#include <gtest/gtest.h>

#include "foundation/build_log.h"
#include "foundation/error.h"
#include "support/temp_project.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

const std::string joint = "'+ ///°°°\r\n'";

class Placeholders : public ::testing::Test {
protected:
    test::TempFolder folder;
    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
};

TEST_F(Placeholders, ReplacesEveryOccurrenceWithOneLogLine) {
    std::string page = "a ___MAP1___ b ___MAP1___";
    replace_placeholder(page, "___MAP1___", "0,0", log);
    EXPECT_EQ(page, "a 0,0 b 0,0");
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"Replaced [ ___MAP1___ ]"});
}

TEST_F(Placeholders, MissingPlaceholderStillLogs) {
    std::string page = "nothing here";
    replace_placeholder(page, "___TITLE___", "x", log);
    EXPECT_EQ(page, "nothing here");
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"Replaced [ ___TITLE___ ]"});
}

TEST_F(Placeholders, ValueHoldingThePlaceholderIsNotRescanned) {
    std::string page = "[___X___]";
    replace_placeholder(page, "___X___", "<___X___>", log);
    EXPECT_EQ(page, "[<___X___>]");
}

TEST(Flatten, CutsAfterEvery1024KeptCharacters) {
    const std::string a1024(1024, 'a');
    EXPECT_EQ(flatten(a1024), a1024 + joint);
    EXPECT_EQ(flatten(a1024 + "b"), a1024 + joint + "b");
    EXPECT_EQ(flatten(""), "");
}

TEST(Flatten, LineBreaksAndControlsDoNotCount) {
    std::string wrapped;
    for (int i = 0; i < 16; ++i) wrapped += std::string(64, 'x') + "\r\n\t";
    EXPECT_EQ(flatten(wrapped + "y"), std::string(1024, 'x') + joint + "y");
}

TEST(Flatten, CountsCharactersNotBytes) {
    std::string accents;
    for (int i = 0; i < 1024; ++i) accents += "è";
    EXPECT_EQ(flatten(accents + "z"), accents + joint + "z");
}

TEST(Flatten, TrimsBlanksAtTheEnds) {
    EXPECT_EQ(flatten("  data:xyz \r\n "), "data:xyz");
}

TEST_F(Placeholders, MergeFileLogsAfterReadingAndFlattens) {
    folder.write("cover.qn", "data:image/gif;base64,\r\nAAAA\r\nBBBB\r\n");
    std::string page = "'<img src=\\'___COVERIMAGE___\\'>'";
    merge_file(page, "___COVERIMAGE___", folder.file("cover.qn"), log);
    EXPECT_EQ(page, "'<img src=\\'data:image/gif;base64,AAAABBBB\\'>'");
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"Merge file: " + folder.file("cover.qn")});
    EXPECT_EQ(sink.lines[0].colour, LogColour::olive);
}

TEST_F(Placeholders, MergeOfEmptyFileEmptiesThePlaceholder) {
    folder.write("empty.qn", "");
    std::string page = "[___FAILIMAGE___]";
    merge_file(page, "___FAILIMAGE___", folder.file("empty.qn"), log);
    EXPECT_EQ(page, "[]");
}

TEST_F(Placeholders, MergeOfMissingFileFailsWithoutLogLine) {
    std::string page = "[___FAILIMAGE___]";
    try {
        merge_file(page, "___FAILIMAGE___", folder.file("missing.qn"), log);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to merge");
    }
    EXPECT_TRUE(sink.lines.empty());
    EXPECT_EQ(page, "[___FAILIMAGE___]");
}

}  // namespace
}  // namespace quenlo
