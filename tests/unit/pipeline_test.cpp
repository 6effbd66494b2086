#include "generator/pipeline.h"

#include <gtest/gtest.h>

#include "foundation/workspace.h"
#include "support/temp_project.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

class Pipeline : public ::testing::Test {
protected:
    bool build(bool release = false) {
        workspace.project_folder = project.path();
        return generate(workspace, log, ui, release).succeeded;
    }
    bool logged_in_order(const std::vector<std::string>& expected) const {
        return sink.logged_in_order(expected);
    }
    const std::string& last_line_before_blank() const {
        return sink.lines.at(sink.lines.size() - 2).text;
    }
    // The lines from the last build's error line to the blank line that ends
    // the log; none when it has no error line.
    std::vector<std::string> error_lines() const {
        const std::vector<std::string> all = sink.texts();
        for (auto line = all.rbegin(); line != all.rend(); ++line)
            if (line->starts_with("Error: ")) return {line.base() - 1, all.end() - 1};
        return {};
    }

    test::TempProject project;
    Workspace workspace;
    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
    test::RecordingUi ui;
};

TEST_F(Pipeline, EmptyProjectBuildsTheDebugPage) {
    ASSERT_TRUE(build());
    const auto& first = sink.lines.front();
    EXPECT_EQ(first.colour, LogColour::blue);
    EXPECT_TRUE(first.text.starts_with("Start generating adventure (debug HTML file)... [ "))
        << first.text;
    EXPECT_TRUE(logged_in_order({
        "Check chars in file: " + project.file("help.qni"),
        " skipped!",
        "Check chars in file: " + project.file("messages.qnr"),
        "Check chars in file: " + project.file("intro.qni"),
        " skipped!",
        "Check for map image (mapimage1.qn) ...",
        "NOT FOUND! Map disabled...",
        "Replaced [ ___VERSION___ ]",
        "Replaced [ ___ENABLEMAP___ ]",
        "Replaced [ ___MAP1___ ]",
        "Replaced [ ___MAP2___ ]",
        "Replaced [ ___MAP3___ ]",
        "Merge file: " + project.file("help.qni"),
        "Merge file: " + project.file("success.qni"),
        "Merge file: " + project.file("fail.qni"),
        "Merge file: " + project.file("intro.qni"),
        "Merge file: " + project.file("messages.qnr"),
        "Replaced [ ___TITLE___ ]",
        "Merge file: " + project.file("variables.qnv"),
        "Merge file: " + project.file("rooms.qnr"),
        "Replaced [ ___STARTROOM___ ]",
        "Merge file: " + project.file("objects.qno"),
        "Found new object: _$$$_",
        "Converting strings...",
        "...100%",
        "Replaced [ ___MENUS___ ]",
        "Merging actions.qna ...",
        "Replaced [ ___ACTIONS___ ]",
        "Replaced [ ___FUNCTIONS___ ]",
        "Merging conditions.qna ...",
        "Replaced [ ___CONDITIONS___ ]",
        "Merging counters.qna ...",
        "Replaced [ ___COUNTERS___ ]",
        "Generated: " + project.file("debug.html"),
    }));
    EXPECT_FALSE(sink.contains("Check chars in file: " + project.file("functions.qna")));
    EXPECT_FALSE(sink.contains("Merging functions.qna ..."));
    EXPECT_FALSE(sink.contains("Added message: 1"));
    EXPECT_TRUE(last_line_before_blank().starts_with("Adventure generated successfully!  [ "));
    EXPECT_EQ(sink.lines.back().text, "");
    EXPECT_EQ(sink.lines[sink.lines.size() - 2].colour, LogColour::green);
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_EQ(ui.building_changes, (std::vector<bool>{true, false}));

    const std::string page = project.read("debug.html");
    EXPECT_NE(page.find("<!-- v3.6 -->\r\n"), std::string::npos);
    EXPECT_NE(page.find("window.g_start_room = 1;"), std::string::npos);
    EXPECT_EQ(page.find("___VERSION___"), std::string::npos);
    EXPECT_TRUE(page.ends_with("</html>\r\n"));
    EXPECT_FALSE(project.has("release.html"));
}

TEST_F(Pipeline, FunctionsFileIsCheckedWhenPresent) {
    project.write("functions.qna", "function f() {}\n");
    ASSERT_TRUE(build());
    EXPECT_TRUE(logged_in_order({"Check chars in file: " + project.file("actions.qna"),
                                 "Check chars in file: " + project.file("functions.qna"),
                                 "Check chars in file: " + project.file("conditions.qna")}));
}

TEST_F(Pipeline, ReleaseBuildWritesBothPagesDebugFirst) {
    ASSERT_TRUE(build(true));
    EXPECT_TRUE(sink.lines.front().text.starts_with(
        "Start generating adventure (debug and release HTML files)... [ "));
    EXPECT_TRUE(logged_in_order({"Replaced [ var g_isdebug = true; ]",
                                 "Generated: " + project.file("debug.html"),
                                 "Generated: " + project.file("release.html")}));
    EXPECT_NE(project.read("debug.html").find("var g_isdebug = true;"), std::string::npos);
    // The switched flag, its name shortened like every runtime name.
    EXPECT_NE(project.read("release.html").find("var _fu51 = false;"), std::string::npos);
}

TEST_F(Pipeline, MissingRequiredFileFailsThroughTheErrorPathAndWritesNothing) {
    project.remove("help.qni");
    EXPECT_FALSE(build());
    const std::string message =
        "Error: Cannot open file \"" + project.file("help.qni") + "\". No such file or directory";
    EXPECT_EQ(last_line_before_blank(), message);
    EXPECT_EQ(sink.lines[sink.lines.size() - 2].colour, LogColour::red);
    EXPECT_EQ(sink.lines.back().text, "");
    EXPECT_EQ(ui.errors,
              std::vector<std::string>{"Unable to generate HTML files!\r\n\r\n" + message});
    EXPECT_EQ(ui.building_changes, (std::vector<bool>{true, false}));
    EXPECT_FALSE(project.has("debug.html"));
}

TEST_F(Pipeline, FailedBuildLeavesEarlierOutputUntouched) {
    ASSERT_TRUE(build(true));
    project.write("debug.html", "earlier debug");
    project.write("release.html", "earlier release");
    project.write("intro.qni", "\xC3\xB1");  // "ñ" is not allowed anywhere
    workspace.switches.skip_characters_check = false;
    EXPECT_FALSE(build(true));
    EXPECT_EQ(error_lines(),
              (std::vector<std::string>{
                  "Error: Invalid character < ñ >",
                  project.file("intro.qni") + ":1:1: error: Invalid character < ñ > (U+00F1)",
                  "    ñ",
                  "    ^",
              }));
    EXPECT_EQ(project.read("debug.html"), "earlier debug");
    EXPECT_EQ(project.read("release.html"), "earlier release");
}

TEST_F(Pipeline, CharacterCheckWhenSwitchedOn) {
    workspace.switches.skip_characters_check = false;
    project.write("help.qni", "Disse \"ciao\"\r\n");
    EXPECT_FALSE(build());
    EXPECT_EQ(error_lines(),
              (std::vector<std::string>{
                  "Error: Invalid character < \" >",
                  project.file("help.qni") + ":1:7: error: Invalid character < \" > (U+0022)",
                  "    Disse \"ciao\"",
                  "          ^",
              }));
    EXPECT_EQ(ui.errors,
              std::vector<std::string>{
                  "Unable to generate HTML files!\r\n\r\nError: Invalid character < \" >"
                  "\r\n" +
                  project.file("help.qni") + ":1:7: error: Invalid character < \" > (U+0022)"});
    EXPECT_FALSE(sink.contains(" skipped!"));
}

TEST_F(Pipeline, ProjectBaseScriptReplacesTheStoredOneForLaterBuildsToo) {
    project.write("base.qn", "<p>___VERSION___ ___STARTROOM___</p>\r\n#HELP\r\n");
    ASSERT_TRUE(build());
    EXPECT_EQ(sink.lines.front().text, "&Found base.qn file: " + project.file("base.qn"));
    EXPECT_EQ(sink.lines.front().colour, LogColour::black);
    EXPECT_EQ(project.read("debug.html"), "<p>v3.6 1</p>\r\n");

    test::TempProject other;
    workspace.project_folder = other.path();
    ASSERT_TRUE(generate(workspace, log, ui, false));
    EXPECT_EQ(other.read("debug.html"), "<p>v3.6 1</p>\r\n");
}

TEST_F(Pipeline, BaseScriptWithoutHelpIsInvalid) {
    project.write("base.qn", "<html></html>\r\n");
    EXPECT_FALSE(build());
    EXPECT_EQ(last_line_before_blank(), "Error: invalid base script");
    EXPECT_FALSE(project.has("debug.html"));
}

TEST_F(Pipeline, StopEndsTheBuildAsStoppedAndTheNextBuildStartsClean) {
    events.on_poll = [&](int polls) {
        if (polls == 5) workspace.stop = true;
    };
    EXPECT_FALSE(build());
    EXPECT_EQ(last_line_before_blank(), "Error: process stopped by user");
    EXPECT_EQ(ui.errors,
              std::vector<std::string>{
                  "Unable to generate HTML files!\r\n\r\nError: process stopped by user"});
    EXPECT_FALSE(workspace.stop);
    EXPECT_FALSE(project.has("debug.html"));

    events.on_poll = nullptr;
    EXPECT_TRUE(build());
}

TEST_F(Pipeline, StopSetBeforeTheBuildIsCleared) {
    workspace.stop = true;
    EXPECT_TRUE(build());
}

TEST_F(Pipeline, StopFlagDecidesEvenWhenAnotherErrorEndsTheBuild) {
    project.remove("rooms.qnr");
    events.on_poll = [&](int) { workspace.stop = true; };
    EXPECT_FALSE(build());
    EXPECT_EQ(last_line_before_blank(), "Error: process stopped by user");
}

TEST_F(Pipeline, UnexpectedFaultRestoresTheWindowAndIsPassedOn) {
    struct ExplodingSink : LogSink {
        void append_line(LogColour, std::string_view text) override {
            if (text.starts_with("Replaced")) throw std::logic_error("boom");
        }
        void clear() override {}
    } exploding;
    BuildLog exploding_log(exploding, events);
    workspace.project_folder = project.path();
    EXPECT_THROW(generate(workspace, exploding_log, ui, false), std::logic_error);
    EXPECT_EQ(ui.building_changes, (std::vector<bool>{true, false}));
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(Pipeline, JunkInEveryFileNeverCrashes) {
    std::string junk = "\xEF\xBB\xBF";
    for (int i = 0; i < 70000; ++i) junk += static_cast<char>((i * 2654435761u) >> 24);
    for (const char* name : test::required_project_files) project.write(name, junk);
    bool built = false;
    EXPECT_NO_THROW(built = build());
    if (!built) {
        EXPECT_FALSE(error_lines().empty());
    }
    workspace.switches.skip_characters_check = false;
    EXPECT_FALSE(build());
    ASSERT_FALSE(error_lines().empty());
    EXPECT_TRUE(error_lines().front().starts_with("Error: Invalid character < "));
}

}  // namespace
}  // namespace quenlo
