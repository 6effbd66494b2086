#include "compilers/compile_messages.h"

#include <gtest/gtest.h>

#include "foundation/text.h"
#include "support/build_harness.h"

namespace quenlo {
namespace {

struct Messages : test::PhaseHarness {
    explicit Messages(const std::string& source) : test::PhaseHarness({{"messages.qnr", source}}) {
        build.page = "[\r\n___MESSAGES___]";
    }
    std::string compile() {
        return error_of([&] { compile_messages(build); });
    }
    std::vector<std::string> generated() const { return test::lines_between(build.page, "[", "]"); }
};

TEST(CompileMessages, EveryNumberGetsOneLineAndTheTableOneRow) {
    Messages m("{01}\r\nLa mia Avventura!\r\n{50}\r\navventura\r\n");
    ASSERT_EQ(m.compile(), "(no error)");
    const auto lines = m.generated();
    ASSERT_EQ(lines.size(), 99u);
    EXPECT_EQ(lines[0], "'La mia Avventura!',");
    EXPECT_EQ(lines[1], "'',");
    EXPECT_EQ(lines[49], "'avventura',");
    EXPECT_EQ(lines[98], "'',");
    ASSERT_EQ(m.build.lstmsg.size(), 100u);
    EXPECT_EQ(m.build.lstmsg[0], "");
    EXPECT_EQ(m.build.lstmsg[1], "La mia Avventura! ");  // the row keeps the trailing blank
    EXPECT_EQ(m.build.lstmsg[50], "avventura ");
    EXPECT_EQ(m.log_texts(),
              (std::vector<std::string>{"Merge file: " + m.project.file("messages.qnr"),
                                        "Added message: 1", "Added message: 50"}));
    EXPECT_EQ(m.sink.lines[0].colour, LogColour::olive);
}

TEST(CompileMessages, EmptyFileGivesNinetyNineEmptyMessages) {
    Messages m("");
    ASSERT_EQ(m.compile(), "(no error)");
    const auto lines = m.generated();
    ASSERT_EQ(lines.size(), 99u);
    for (const auto& line : lines) EXPECT_EQ(line, "'',");
    EXPECT_EQ(m.build.lstmsg, std::vector<std::string>(100));
    EXPECT_EQ(m.log_texts().size(), 1u);
}

TEST(CompileMessages, HeaderForms) {
    Messages m("{5}\r\ncinque\r\n{05}\r\nancora\r\n{ 5}\r\ne ancora\r\n{005}\r\n{+6}\r\nsei\r\n");
    ASSERT_EQ(m.compile(), "(no error)");
    // "{005}" is five characters long, so it is text of message 5.
    EXPECT_EQ(m.build.lstmsg[5], "cinque ancora e ancora {005} ");
    EXPECT_EQ(m.build.lstmsg[6], "sei ");
}

TEST(CompileMessages, LinesBeforeTheFirstHeaderAndUnderZeroOrNegativeAreIgnored) {
    Messages m("preambolo\r\n{0}\r\nzero\r\n{-3}\r\nmeno tre\r\n{2}\r\ndue\r\n");
    ASSERT_EQ(m.compile(), "(no error)");
    EXPECT_EQ(m.build.lstmsg[2], "due ");
    EXPECT_EQ(m.log_texts().size(), 2u);
}

TEST(CompileMessages, LinesAreTrimmedAndJoinedByBlanks) {
    Messages m("{7}\r\n   prima riga  \r\n\tseconda\r\nterza\r\n");
    ASSERT_EQ(m.compile(), "(no error)");
    EXPECT_EQ(m.build.lstmsg[7], "prima riga seconda terza ");
    EXPECT_EQ(m.generated()[6], "'prima riga seconda terza',");
}

TEST(CompileMessages, RepeatedHeaderContinuesTheMessage) {
    Messages m("{12}\r\nuno\r\n{13}\r\naltro\r\n{12}\r\ndue\r\n");
    ASSERT_EQ(m.compile(), "(no error)");
    EXPECT_EQ(m.build.lstmsg[12], "uno due ");
}

TEST(CompileMessages, TextsAreEscaped) {
    Messages m("{1}\r\nL'isola & il ''tesoro''\r\n{4}\r\n// non un commento qui\r\n");
    ASSERT_EQ(m.compile(), "(no error)");
    EXPECT_EQ(m.build.lstmsg[1], "L\\'isola &amp; il &quot;tesoro&quot; ");
    EXPECT_EQ(m.generated()[0], "'L\\'isola &amp; il &quot;tesoro&quot;',");
    // The whole message is one line, and that line is a comment.
    EXPECT_EQ(m.build.lstmsg[4], "");
    EXPECT_FALSE(m.sink.contains("Added message: 4"));
}

TEST(CompileMessages, HeaderWithOnlyAnEmptyLineIsABlankMessage) {
    Messages m("{41}\r\n\r\n{42}\r\n");
    ASSERT_EQ(m.compile(), "(no error)");
    EXPECT_EQ(m.build.lstmsg[41], " ");
    EXPECT_EQ(m.build.lstmsg[42], "");
    EXPECT_EQ(m.generated()[40], "'',");
    EXPECT_TRUE(m.sink.contains("Added message: 41"));
    EXPECT_FALSE(m.sink.contains("Added message: 42"));
}

TEST(CompileMessages, HomeSiteAddressIsNotEscapedButCannotEndItsString) {
    Messages m("{3}\r\nhttp://esempio.it/?a=1&b=l'x</script>\\\r\n");
    ASSERT_EQ(m.compile(), "(no error)");
    EXPECT_EQ(m.generated()[2], "'http://esempio.it/?a=1&b=l\\'x\\x3c/script>\\\\',");
}

TEST(CompileMessages, MessagesHoldNoUnderscoreThePageNameIsKeptAsWritten) {
    Messages m("{50}\r\n  città_1 \r\n{7}\r\nIl file si chiama ok_1.\r\n");
    ASSERT_EQ(m.compile(), "(no error)");
    EXPECT_EQ(m.build.page_name, "città_1");
    EXPECT_EQ(m.generated()[6], "'Il file si chiama ok\\x5f1.',");
    EXPECT_EQ(m.generated()[49], "'citt&agrave;\\x5f1',");
}

TEST(CompileMessages, HeaderThatIsNoNumberIsASyntaxError) {
    for (const std::string header : {"{ab}", "{*1}", "{}", "{ }", "{$1}", "{1a}"}) {
        Messages m("{1}\r\ntitolo\r\n  " + header + "  \r\n");
        EXPECT_EQ(m.compile(), "syntax error: " + header) << header;
        EXPECT_FALSE(m.sink.contains("Added message: 1"));
    }
}

TEST(CompileMessages, AccentedHeaderIsCountedByCharacters) {
    // Four characters (five bytes): a header, and not a number.
    Messages m(
        "{\xC3\xA8"
        "1}\r\n");
    EXPECT_EQ(m.compile(),
              "syntax error: {\xC3\xA8"
              "1}");
}

TEST(CompileMessages, EveryRunReplacesTheTable) {
    Messages m("{2}\r\ndue\r\n");
    m.build.lstmsg.assign(5, "vecchio");
    ASSERT_EQ(m.compile(), "(no error)");
    EXPECT_EQ(m.build.lstmsg[1], "");
    EXPECT_EQ(m.build.lstmsg[2], "due ");
}

TEST(CompileMessages, StopRequestEndsTheCompiler) {
    Messages m("{1}\r\nuno\r\n{2}\r\ndue\r\n");
    m.events.on_poll = [&](int polls) {
        if (polls == 3) m.stop = true;
    };
    EXPECT_EQ(m.compile(), "");
    EXPECT_FALSE(m.sink.contains("Added message: 1"));
}

}  // namespace
}  // namespace quenlo
