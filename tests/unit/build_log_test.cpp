#include "foundation/build_log.h"

#include <gtest/gtest.h>

#include "support/test_host.h"

namespace quenlo {
namespace {

struct Case {
    std::string text;
    LogColour colour;
    std::string shown;
};

TEST(LogColours, FirstMatchingRuleWins) {
    const Case cases[] = {
        {"Error: x", LogColour::red, "Error: x"},
        {"error: lower case too", LogColour::red, "error: lower case too"},
        {"%Merging ... Error: inside", LogColour::red, "%Merging ... Error: inside"},
        {"ERROR without colon", LogColour::black, "ERROR without colon"},
        {"a warning here", LogColour::purple, "a warning here"},
        {"$done, with a warning", LogColour::purple, "$done, with a warning"},
        {"Warning and error: both", LogColour::red, "Warning and error: both"},
        {"$Adventure generated successfully!", LogColour::green,
         "Adventure generated successfully!"},
        {"£Generated: x", LogColour::blue, "Generated: x"},
        {"£", LogColour::blue, ""},
        {"%Merge file: x", LogColour::olive, "Merge file: x"},
        {"&Found base.qn file: x", LogColour::black, "&Found base.qn file: x"},
        {"", LogColour::black, ""},
        {"$", LogColour::green, ""},
        {"Replaced [ ___TITLE___ ]", LogColour::black, "Replaced [ ___TITLE___ ]"},
    };
    for (const Case& c : cases) {
        const StyledLine line = style_log_line(c.text);
        EXPECT_EQ(line.colour, c.colour) << c.text;
        EXPECT_EQ(line.shown, c.shown) << c.text;
    }
}

TEST(BuildLog, EveryLineGoesToTheSinkAndLetsEventsRun) {
    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log(sink, events);
    log.log_line("%Merge file: a");
    log.log_line("");
    ASSERT_EQ(sink.lines.size(), 2u);
    EXPECT_EQ(sink.lines[0].text, "Merge file: a");
    EXPECT_EQ(sink.lines[1].text, "");
    EXPECT_EQ(events.polls, 2);
    log.clear_log();
    EXPECT_TRUE(sink.lines.empty());
}

}  // namespace
}  // namespace quenlo
