// Whole release builds, read the way an author reads the result: the log and
// the two pages, with the back end's phases in place.

#include <gtest/gtest.h>

#include <algorithm>

#include "backend/encode_release_text.h"
#include "backend/runtime_names.h"
#include "foundation/text.h"
#include "foundation/workspace.h"
#include "generator/pipeline.h"
#include "support/temp_project.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

const std::string marker = "///\xC2\xB0\xC2\xB0\xC2\xB0";

class ReleaseBuild : public ::testing::Test {
protected:
    bool build(bool release = true) {
        workspace.project_folder = project.path();
        return generate(workspace, log, ui, release).succeeded;
    }
    bool logged_in_order(const std::vector<std::string>& expected) const {
        return sink.logged_in_order(expected);
    }
    std::string error() const {
        for (const auto& line : sink.lines)
            if (line.text.starts_with("Error: ")) return line.text.substr(7);
        return "(no error)";
    }
    static std::string encoded(std::string_view text) {
        std::string out;
        for (const char c : text) out += shift_letter(c);
        return out;
    }

    test::TempProject project;
    Workspace workspace;
    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
    test::RecordingUi ui;
};

TEST_F(ReleaseBuild, TheReleasePageOfASmallBaseScript) {
    project.write("base.qn",
                  "<!DOCTYPE html>\r\n<meta charset=\"utf-8\">\r\n<title>\r\n___TITLE___\r\n"
                  "</title>\r\n<script>\r\n  var g_isdebug = true;\r\n  var o_id = [];\r\n"
                  "  // a comment line\r\n///===\r\nvar t = 'abc';\r\n"
                  "var n = window.o_id.length;\r\n" +
                      marker + "\r\n</script>\r\n<body>\r\n<p>x" + std::string(39, ' ') +
                      "y</p>\r\n</body>\r\n#HELP\r\n");
    ASSERT_TRUE(build()) << error();
    EXPECT_EQ(project.read("release.html"),
              "<!DOCTYPE html>\r\n<meta charset=\"utf-8\">\r\n<title>\r\n</title>\r\n<script>\r\n"
              "var _fu51 = false; var _fu0 = []; var t = ('yda'); var n = window._fu0.length; "
              "</script>\r\n<body>\r\n<p>x  y</p>\r\n</body>\r\n");
    EXPECT_EQ(project.read("debug.html"),
              "<!DOCTYPE html>\r\n<meta charset=\"utf-8\">\r\n<title>\r\n\r\n</title>\r\n"
              "<script>\r\nvar g_isdebug = true;\r\nvar o_id = [];\r\n// a comment line\r\n"
              "var t = 'abc';\r\nvar n = window.o_id.length;\r\n" +
                  marker + "\r\n</script>\r\n<body>\r\n<p>x" + std::string(39, ' ') +
                  "y</p>\r\n</body>\r\n");
    EXPECT_TRUE(
        logged_in_order({"Replacing variables ...", "Replaced [ (CHECKFORAPPEND) ]",
                         "Check for unknown objects/rooms/variables...", "100%...",
                         "Merge file: " + project.file("coverimage.qn"),
                         "Replaced [ ___CONNECTIONS___ ]", "Replaced [ var g_isdebug = true; ]",
                         "Encripting...", "...100%", "Generated: " + project.file("debug.html"),
                         "Generated: " + project.file("release.html")}));
}

// A project of the stored base script with texts that must not be readable in
// the release page.
class StoredBaseRelease : public ReleaseBuild {
protected:
    StoredBaseRelease() {
        project.write("messages.qnr",
                      "{01}\r\nLa casa\r\n{02}\r\nBenvenuto nella casa stregata\r\n"
                      "{50}\r\ncasa\r\n");
        project.write("rooms.qnr", "{*1}\r\n_rCucina_\r\nUna cucina piena di pentole.\r\n");
        project.write("objects.qno",
                      "{_lampada_}\r\n:room: _rCucina_\r\n:desc.short: lampada\r\n"
                      ":desc.long: una lampada a olio\r\n");
        project.write("actions.qna", "if (f_istaken(\"_lampada_\")) f_win();\r\n");
    }
};

TEST_F(StoredBaseRelease, TextsAreEncodedNamesShortenedAndLinesJoined) {
    ASSERT_TRUE(build()) << error();
    const std::string debug = project.read("casa_debug.html");
    const std::string release = project.read("casa.html");
    EXPECT_TRUE(logged_in_order({"Generated: " + project.file("casa_debug.html"),
                                 "Generated: " + project.file("casa.html")}));

    EXPECT_NE(debug.find("var g_isdebug = true;"), std::string::npos);
    EXPECT_NE(release.find("var _fu51 = false;"), std::string::npos);
    for (const std::string_view name : release_renamed_names)
        EXPECT_EQ(release.find(name), std::string::npos) << name;

    for (const std::string text :
         {"Benvenuto nella casa stregata", "Una cucina piena di pentole", "una lampada a olio"}) {
        EXPECT_NE(debug.find(text), std::string::npos) << text;
        EXPECT_EQ(release.find(text), std::string::npos) << text;
        EXPECT_NE(release.find(encoded(text)), std::string::npos) << text;
    }
    EXPECT_NE(release.find("('" + encoded("_lampada_") + "')"), std::string::npos);

    EXPECT_EQ(release.find(marker), std::string::npos);
    EXPECT_NE(debug.find(marker), std::string::npos);
    const std::vector<std::string> lines = split_lines(release);
    for (const std::string& line : lines) {
        EXPECT_FALSE(trim_view(line).empty());
        EXPECT_FALSE(line.starts_with("//")) << line;
        EXPECT_EQ(line, trim(line));
    }
    EXPECT_LT(lines.size(), split_lines(debug).size());
    EXPECT_EQ(lines[0], split_lines(debug)[0]);
}

TEST_F(StoredBaseRelease, AMisspeltObjectStopsTheBuildWithItsWholeLine) {
    project.write("actions.qna",
                  "if (f_istaken(\"_lampada_\")) f_win();\r\n"
                  "  if (f_istaken(_lampdaa_)) f_show(\"Fatto.\");\r\n");
    EXPECT_FALSE(build());
    const std::string message =
        "Unknown objects/rooms/variables: \r\nif (f_istaken(_lampdaa_)) f_show('Fatto.');\r\n";
    EXPECT_EQ(error(), message);
    EXPECT_EQ(ui.errors,
              std::vector<std::string>{"Unable to generate HTML files!\r\n\r\nError: " + message +
                                       project.file("actions.qna") +
                                       ":2:17: error: Unknown objects/rooms/variables: _lampdaa_"});
    EXPECT_FALSE(project.has("casa_debug.html"));
    EXPECT_FALSE(project.has("casa.html"));
    EXPECT_FALSE(sink.contains("Merge file: " + project.file("coverimage.qn")));

    workspace.switches.skip_unknown_check = true;
    EXPECT_TRUE(build()) << error();
    EXPECT_TRUE(logged_in_order({"Check for unknown objects/rooms/variables...", " skipped!",
                                 "Merge file: " + project.file("coverimage.qn")}));
    EXPECT_NE(project.read("casa_debug.html").find("if (f_istaken(_lampdaa_))"), std::string::npos);
}

TEST_F(StoredBaseRelease, TooManyFirstTimeMessagesStopTheBuild) {
    std::string actions;
    for (int i = 0; i < 301; ++i) actions += "f_showx(\"a\", \"b\");\r\n";
    project.write("actions.qna", actions);
    EXPECT_FALSE(build());
    EXPECT_EQ(error(), "Too many f_showx calls");
    EXPECT_FALSE(project.has("casa_debug.html"));
}

TEST_F(StoredBaseRelease, AMissingPictureStopsTheBuild) {
    project.remove("successimage.qn");
    EXPECT_FALSE(build());
    EXPECT_EQ(error(), "Unable to merge");
    EXPECT_FALSE(project.has("casa_debug.html"));
}

TEST_F(StoredBaseRelease, StopDuringTheReleaseTransformations) {
    events.on_poll = [&](int) {
        // at the encoding's first progress line
        if (sink.contains("Encripting...") && sink.lines.back().text == "...10%")
            workspace.stop = true;
    };
    EXPECT_FALSE(build());
    EXPECT_EQ(error(), "process stopped by user");
    const std::vector<std::string> texts = sink.texts();
    const auto encoding = std::find(texts.begin(), texts.end(), "Encripting...");
    ASSERT_NE(encoding, texts.end());
    EXPECT_EQ(std::find(encoding, texts.end(), "...100%"), texts.end());
    EXPECT_FALSE(project.has("casa_debug.html"));
    EXPECT_FALSE(project.has("casa.html"));
}

TEST_F(StoredBaseRelease, ADebugBuildRunsNoReleasePhase) {
    ASSERT_TRUE(build(false)) << error();
    EXPECT_FALSE(sink.contains("Encripting..."));
    EXPECT_FALSE(project.has("casa.html"));
    EXPECT_NE(project.read("casa_debug.html").find("if (f_istaken('_lampada_')) f_win();"),
              std::string::npos);
}

}  // namespace
}  // namespace quenlo
