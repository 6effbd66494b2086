#include "backend/rename_runtime_identifiers.h"

#include <gtest/gtest.h>

#include <atomic>

#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/text.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

class RenameRuntimeIdentifiers : public ::testing::Test {
protected:
    std::string rename(const std::string& text) {
        build.release_text = text;
        rename_runtime_identifiers(build);
        EXPECT_TRUE(build.release_text.empty());  // handed over to the release page
        return build.rerelease;
    }
    // The text as lines after the two first ones, which always stay alone.
    std::string rename_body(const std::string& body) {
        const std::string out = rename("<!DOCTYPE html>\r\n<meta>\r\n" + body);
        EXPECT_TRUE(out.starts_with("<!DOCTYPE html>\r\n<meta>")) << out;
        return out.size() > 25 ? out.substr(25) : "";
    }

    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
    std::atomic<bool> stop{false};
    Build build{"/nowhere", Switches{}, true, log, stop};
};

TEST_F(RenameRuntimeIdentifiers, RuntimeNamesBecomeNumberedShortNames) {
    EXPECT_EQ(rename_body("window.o_id.length\r\n"), "window._fu0.length");
    EXPECT_EQ(rename_body("f_show(3,'x')\r\n"), "_fu140(3,'x')");
    EXPECT_EQ(rename_body("f_forceroomdesc()\r\n"), "_fu200()");
    EXPECT_EQ(sink.texts().back(), "...100%");
}

TEST_F(RenameRuntimeIdentifiers, ShorterNamesEarlierInTheListTakeTheirPart) {
    EXPECT_EQ(rename_body("g_roomids g_room g_obj1 g_obj2 g_objectids\r\n"),
              "_fu23ids _fu23 _fu29 _fu302 _fu30ectids");
    EXPECT_EQ(rename_body("g_map1 g_map2 g_map3 g_mapxdim g_mapydim g_mapdiscovered\r\n"),
              "_fu54 _fu552 _fu553 _fu55xdim _fu55ydim _fu55discovered");
    EXPECT_EQ(rename_body("f_use_ f_use f_obj2 f_isobj2 f_isobj1\r\n"),
              "_fu146_ _fu146 _fu1772 _fu1802 _fu179");
}

TEST_F(RenameRuntimeIdentifiers, LongerNamesBeforeTheirPrefixKeepTheirOwn) {
    EXPECT_EQ(rename_body("g_mext g_mex2 g_mex f_takeoff f_take f_go_ f_go\r\n"),
              "_fu25 _fu26 _fu27 _fu149 _fu150 _fu174 _fu194");
}

TEST_F(RenameRuntimeIdentifiers, DecoderAndSpecialRoomsKeepTheirNames) {
    EXPECT_EQ(rename_body("_de(x) '_rTAKEN_' '_rOUT_' '_rWORN_' _mrvhelp_\r\n"),
              "_de(x) '_rTAKEN_' '_rOUT_' '_rWORN_' _mrvhelp_");
}

TEST_F(RenameRuntimeIdentifiers, TheFirstTwoLinesStayAloneAndAreRenamedToo) {
    EXPECT_EQ(rename("  g_var;  \r\nb;\r\nc;\r\nd;\r\n"), "_fu19;\r\nb;\r\nc; d;");
}

TEST_F(RenameRuntimeIdentifiers, StatementsAreJoinedAndOtherEndingsEndTheLine) {
    EXPECT_EQ(rename_body("function f() {\r\n  var a = 1;\r\n  g(a,\r\n b);\r\n}\r\n<p>\r\n"),
              "function f() { var a = 1; g(a, b); }\r\n<p>");
    // An empty line adds a blank to a line being joined (shrunk with the
    // other blanks later), and nothing else.
    EXPECT_EQ(rename_body("\r\na;\r\n\r\nb\r\n\r\n"), "a; b");
    EXPECT_EQ(rename_body("a;\r\nb;"), "a; b;");
}

TEST_F(RenameRuntimeIdentifiers, JoinedLinesEndJustOverTheLength) {
    std::string body;
    for (int i = 0; i < 300; ++i) body += "x = 1234;\r\n";  // 9 characters each
    const std::vector<std::string> lines = split_lines(rename_body(body));
    ASSERT_GT(lines.size(), 2u);
    // 103 statements and 102 blanks: the first length over 1024.
    EXPECT_EQ(lines[0].size(), 103u * 9 + 102);
    EXPECT_EQ(lines[1].size(), 103u * 9 + 102);
    EXPECT_EQ(lines.size(), 3u);
}

TEST_F(RenameRuntimeIdentifiers, BlanksOfEmptyLinesCountTowardsTheLength) {
    const std::string statement = std::string(1019, 'x') + ";";
    // 1020 + a blank for the empty line + a blank + 3 = 1025: the line ends there.
    EXPECT_EQ(rename_body(statement + "\r\n\r\nab;\r\nc;\r\n"), statement + " ab;\r\nc;");
    EXPECT_EQ(rename_body(statement + "\r\nab;\r\nc;\r\n"), statement + " ab; c;");
}

TEST_F(RenameRuntimeIdentifiers, JoinedLengthCountsCharacters) {
    std::string body;
    for (int i = 0; i < 200; ++i) body += "x = '\xC3\xA8\xC3\xA8';\r\n";  // 9 characters, 11 bytes
    const std::vector<std::string> lines = split_lines(rename_body(body));
    EXPECT_EQ(count_code_points(lines[0]), 103u * 9 + 102);
}

TEST_F(RenameRuntimeIdentifiers, RunsOfBlanksShrinkEverywhere) {
    EXPECT_EQ(rename_body("<p>a" + std::string(6, ' ') + "b" + std::string(39, ' ') + "c</p>\r\n"),
              "<p>a b  c</p>");
}

TEST_F(RenameRuntimeIdentifiers, StopEndsTheJoining) {
    events.on_poll = [&](int polls) {
        if (polls == 3) stop = true;
    };
    EXPECT_THROW(rename("a;\r\nb;\r\nc;\r\nd;\r\n"), Error);
    EXPECT_EQ(build.rerelease, "");
}

// Four left-to-right passes, as the blank shrinking is defined.
std::string shrink_in_four_passes(std::string text) {
    for (const int k : {5, 4, 3, 2}) text = replace_all(text, std::string(k, ' '), " ");
    return text;
}

TEST(ShrinkBlanks, SameAsFourPassesForEveryRunLength) {
    for (std::size_t n = 0; n <= 300; ++n) {
        const std::string text = "a" + std::string(n, ' ') + "b" + std::string(n / 2, ' ');
        EXPECT_EQ(shrink_blanks(text), shrink_in_four_passes(text)) << n;
    }
    EXPECT_EQ(shrink_blanks(std::string(38, ' ')), " ");
    EXPECT_EQ(shrink_blanks(std::string(39, ' ')), "  ");
    EXPECT_EQ(shrink_blanks("x \t  y\r\n  z"), "x \t y\r\n z");
}

}  // namespace
}  // namespace quenlo
