#include "preview/build_outcome.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backend/rename_runtime_identifiers.h"
#include "foundation/build_log.h"
#include "preview/live_page.h"

namespace quenlo {
namespace {

class Discard : public LogSink {
public:
    void append_line(LogColour, std::string_view text) override { shown.emplace_back(text); }
    void clear() override {}
    std::vector<std::string> shown;
};

class NoPoll : public PollHook {
public:
    void process_events() override {}
};

// A failed build as the log shows it: the error, then its location block,
// one entry holding several lines, then the empty line that ends a build.
TEST(PreviewBuildOutcome, TheErrorBlockRunsFromTheErrorLineToTheEndOfTheLog) {
    Discard terminal;
    RecordingLog recorder(terminal);
    NoPoll events;
    BuildLog log(recorder, events);
    log.log_line("\xC2\xA3Start generating adventure (debug HTML file)...");
    log.log_line("Error: old trouble");
    log.log_line("%Compile rooms (rooms.qnr) ...");
    log.log_line("Error: start room is not unique");
    log.log_line("/p/rooms.qnr:9:2: error: start room is not unique\r\n    {*2}\r\n     ^");
    log.log_line("");
    const std::vector<std::string> lines = recorder.take_lines();

    EXPECT_EQ(terminal.shown.size(), 6u);
    EXPECT_EQ(error_block(lines),
              (std::vector<std::string>{"Error: start room is not unique",
                                        "/p/rooms.qnr:9:2: error: start room is not unique",
                                        "    {*2}", "     ^"}));
    EXPECT_TRUE(recorder.take_lines().empty());
    EXPECT_TRUE(error_block({"Adventure generated successfully!", ""}).empty());
}

TEST(PreviewBuildOutcome, GeneratedPagesComeDebugFirst) {
    const std::vector<std::string> log = {"Start generating adventure", "Generated: /p/faro_debug.html",
                                          "Generated: /p/faro.html", "Adventure generated successfully!"};
    EXPECT_EQ(generated_pages(log), (std::vector<std::string>{"/p/faro_debug.html", "/p/faro.html"}));
}

TEST(PreviewLivePage, TheScriptGoesBeforeTheBodyEndsAndCallsTheReleaseNames) {
    const std::string page = "<html><body><p>x</p></body></html>";
    const std::string debug = live_page(page, PageKind::debug, 7);
    EXPECT_NE(debug.find("<script data-build=\"7\">"), std::string::npos);
    EXPECT_LT(debug.find("f_saveCookie(0)"), debug.find("</body>"));
    EXPECT_TRUE(debug.ends_with("</script>\r\n</body></html>"));

    const std::string release = live_page(page, PageKind::release, 7);
    EXPECT_EQ(release.find("f_saveCookie"), std::string::npos);
    EXPECT_NE(release.find(shorten_runtime_names("f_saveCookie(0)")), std::string::npos);
}

}  // namespace
}  // namespace quenlo
