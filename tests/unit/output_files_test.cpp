#include "backend/output_files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/text.h"
#include "support/temp_project.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

class OutputFiles : public ::testing::Test {
protected:
    Build make_build(bool release, const std::string& name_message) {
        Build build(folder.path(), Switches{}, release, log, stop);
        build.lstmsg.assign(100, "");
        build.lstmsg[50] = name_message;
        build.page_name = trim(name_message);
        build.redebug = "<html>\r\ndebug è\r\n</html>";
        build.rerelease = "<html>release</html>";
        return build;
    }
    std::string failure(Build& build) {
        try {
            write_output_files(build);
        } catch (const Error& e) {
            return e.what();
        }
        return "written";
    }

    test::TempFolder folder;
    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
    std::atomic<bool> stop{false};
};

TEST_F(OutputFiles, NamedAfterMessage50Trimmed) {
    Build build = make_build(true, "  avventura ");
    ASSERT_EQ(failure(build), "written");
    EXPECT_EQ(build.debug_file_name, "avventura_debug");
    EXPECT_EQ(folder.read("avventura_debug.html"), "<html>\r\ndebug è\r\n</html>\r\n");
    EXPECT_EQ(folder.read("avventura.html"), "<html>release</html>\r\n");
}

// A page already in CR LF lines is written as it stands; any other break, a
// lone CR or LF anywhere, makes every break CR LF.
TEST_F(OutputFiles, EveryLineEndsWithCrLfWhateverBreaksThePageHolds) {
    const std::pair<std::string, std::string> pages[] = {
        {"a\r\nb\r\n", "a\r\nb\r\n"},     {"a\r\n\r\n", "a\r\n\r\n"},
        {"a\nb", "a\r\nb\r\n"},              {"a\r\nb\rc\r\n", "a\r\nb\r\nc\r\n"},
        {"a\r\nb\r", "a\r\nb\r\n"},        {"\na", "\r\na\r\n"},
        {"", ""},
    };
    for (const auto& [page, file] : pages) {
        Build build = make_build(false, "x");
        build.redebug = page;
        ASSERT_EQ(failure(build), "written");
        EXPECT_EQ(folder.read("x_debug.html"), file) << page;
    }
}

TEST_F(OutputFiles, EmptyNameKeepsTheDefaultNames) {
    Build build = make_build(true, " ");
    ASSERT_EQ(failure(build), "written");
    EXPECT_TRUE(folder.has("debug.html"));
    EXPECT_TRUE(folder.has("release.html"));
}

TEST_F(OutputFiles, DebugBuildNeverTouchesTheReleasePage) {
    folder.write("avventura.html", "earlier release");
    Build build = make_build(false, "avventura");
    ASSERT_EQ(failure(build), "written");
    EXPECT_EQ(folder.read("avventura.html"), "earlier release");
}

TEST_F(OutputFiles, InvalidNameFailsBeforeWriting) {
    for (const char* bad : {"la mia", "nome.html", "città", "a/b"}) {
        Build build = make_build(true, bad);
        EXPECT_EQ(failure(build), std::string("Invalid file name: ") + bad);
    }
    EXPECT_FALSE(folder.has("debug.html"));
}

TEST_F(OutputFiles, ExistingPageIsReplacedWhole) {
    folder.write("x_debug.html", std::string(100000, 'o'));
    Build build = make_build(false, "x");
    ASSERT_EQ(failure(build), "written");
    EXPECT_EQ(folder.read("x_debug.html"), "<html>\r\ndebug è\r\n</html>\r\n");
}

TEST_F(OutputFiles, UnwritablePlaceFailsWithThePlatformReasonAndKeepsTheOldFile) {
    // A folder in the way of the page cannot be replaced by it.
    std::filesystem::create_directory(folder.file("y_debug.html"));
    Build build = make_build(false, "y");
    EXPECT_EQ(failure(build),
              "Cannot create file \"" + folder.file("y_debug.html") + "\". Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("y_debug.html")));

    Build elsewhere(folder.file("no-such-folder"), Switches{}, false, log, stop);
    elsewhere.redebug = "x";
    EXPECT_THROW(write_output_files(elsewhere), Error);
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
}

}  // namespace
}  // namespace quenlo
