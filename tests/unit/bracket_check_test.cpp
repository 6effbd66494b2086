#include "project/bracket_check.h"

#include <gtest/gtest.h>

#include "support/temp_project.h"
#include "support/test_host.h"

namespace quenlo {
namespace {

class BracketCheck : public ::testing::Test {
protected:
    bool check(const std::string& content) {
        project.write("actions.qna", content);
        return check_file(project.file("actions.qna"), log);
    }
    std::vector<std::string> checked_lines(const std::string& file) const {
        return {"", "Checking ( ) [ ] { } in file: " + project.file(file)};
    }
    std::vector<std::string> ok_lines(const std::string& file) const {
        auto lines = checked_lines(file);
        lines.push_back("...OK!");
        return lines;
    }
    // The error entry, then the place of the first bracket that does not
    // match: `line`, `column`, the bracket and the source line.
    std::vector<std::string> error_lines(const std::string& file, const std::string& entry,
                                         int line, int column, char bracket,
                                         const std::string& source) const {
        auto lines = checked_lines(file);
        lines.push_back(entry);
        lines.push_back(project.file(file) + ":" + std::to_string(line) + ":" +
                        std::to_string(column) + ": error: " + bracket + " does not match");
        lines.push_back("    " + source);
        lines.push_back(std::string(3 + column, ' ') + "^");
        return lines;
    }
    const std::string& entry() const { return sink.lines.at(2).text; }

    test::TempProject project;
    test::RecordingLog sink;
    test::ScriptedEvents events;
    BuildLog log{sink, events};
};

TEST_F(BracketCheck, AFileWithoutDividersIsOneBlock) {
    EXPECT_TRUE(check("if (a\r\n&& b\r\n) { f_show('x'); }\r\n"));
    EXPECT_EQ(sink.texts(), ok_lines("actions.qna"));
    EXPECT_EQ(sink.lines[1].colour, LogColour::olive);
    EXPECT_EQ(sink.lines[2].colour, LogColour::black);
}

TEST_F(BracketCheck, APairSplitByADividerUnbalancesTheFirstBlock) {
    EXPECT_FALSE(check("if (a\r\n//=\r\n) {}\r\n"));
    EXPECT_EQ(sink.texts(),
              error_lines("actions.qna", "Error:\r\nNumber of ( ) do not match:\r\nif (a", 1, 4,
                          '(', "if (a"));
    EXPECT_EQ(sink.lines[2].colour, LogColour::red);
    EXPECT_EQ(sink.lines[3].link, project.file("actions.qna"));
}

// In scripts only code counts: a smiley in a text, a bracket in a comment or
// a string are no brackets. The objects file is text, where all of them count.
TEST_F(BracketCheck, BracketsOfScriptTextsAndCommentsDoNotCount) {
    EXPECT_TRUE(check("f_show(\"Ciao :)\"); f('(');\r\n// [nota\r\n/* { */ x = `)`;\r\n"));
    sink.lines.clear();
    EXPECT_FALSE(check("f_show(\"Ciao :)\";\r\n"));
    EXPECT_EQ(
        sink.texts(),
        error_lines("actions.qna", "Error:\r\nNumber of ( ) do not match:\r\nf_show(\"Ciao :)\";",
                    1, 7, '(', "f_show(\"Ciao :)\";"));
    sink.lines.clear();
    project.write("objects.qno", ":desc.examine: Sorride :)\r\n");
    EXPECT_FALSE(check_file(project.file("objects.qno"), log));
    EXPECT_EQ(sink.lines.at(3).text,
              project.file("objects.qno") + ":1:25: error: ) does not match");
}

TEST_F(BracketCheck, EveryUnbalancedKindIsReportedRoundFirst) {
    EXPECT_FALSE(check("//=\r\na = [1];\r\n{ f(\r\n//=\r\n"));
    EXPECT_EQ(entry(),
              "Error:\r\nNumber of ( ) do not match:\r\nNumber of { } do not match:\r\n"
              "a = [1];\r\n{ f(");
}

TEST_F(BracketCheck, OnlyTheFirstUnbalancedBlockIsReported) {
    EXPECT_FALSE(check("ok();\r\n//=\r\n  bad(\r\n//=\r\nworse{\r\n"));
    EXPECT_EQ(sink.texts(),
              error_lines("actions.qna", "Error:\r\nNumber of ( ) do not match:\r\n  bad(", 3, 6,
                          '(', "  bad("));
}

TEST_F(BracketCheck, EmptyFilesAndDividersOnlyAreFine) {
    EXPECT_TRUE(check(""));
    EXPECT_EQ(sink.texts(), ok_lines("actions.qna"));
    sink.lines.clear();
    EXPECT_TRUE(check("//=\r\n//=\r\n"));
    EXPECT_EQ(sink.texts(), ok_lines("actions.qna"));
}

TEST_F(BracketCheck, ADividerMayHaveBlanksButNoOtherCharacters) {
    EXPECT_FALSE(check("(\r\n\t //= \r\n)\r\n"));
    EXPECT_EQ(entry(), "Error:\r\nNumber of ( ) do not match:\r\n(");
    sink.lines.clear();
    EXPECT_TRUE(check("(\r\n//==\r\n)\r\n"));
    EXPECT_EQ(sink.texts(), ok_lines("actions.qna"));
}

TEST_F(BracketCheck, AnUnreadableFileLogsTwoLinesAndCountsAsChecked) {
    project.remove("actions.qna");
    EXPECT_TRUE(check_file(project.file("actions.qna"), log));
    EXPECT_EQ(sink.texts(),
              (std::vector<std::string>{
                  "Error: Unable to check file: " + project.file("actions.qna"), "...OK!"}));
    EXPECT_EQ(sink.lines[0].colour, LogColour::red);
}

TEST_F(BracketCheck, TheCommandChecksFourFilesInOrder) {
    project.write("functions.qna", "(");  // not checked
    project.write("rooms.qnr", "(");      // not checked
    EXPECT_TRUE(check_parentheses(project.path(), log));
    std::vector<std::string> expected;
    for (const char* file : {"actions.qna", "counters.qna", "conditions.qna", "objects.qno"})
        for (const auto& line : ok_lines(file)) expected.push_back(line);
    EXPECT_EQ(sink.texts(), expected);
}

TEST_F(BracketCheck, TheCommandStopsAtTheFirstUnbalancedFile) {
    project.write("counters.qna", "{");
    project.write("conditions.qna", "(");
    EXPECT_FALSE(check_parentheses(project.path(), log));
    std::vector<std::string> expected = ok_lines("actions.qna");
    for (const auto& line :
         error_lines("counters.qna", "Error:\r\nNumber of { } do not match:\r\n{", 1, 1, '{', "{"))
        expected.push_back(line);
    EXPECT_EQ(sink.texts(), expected);
}

TEST_F(BracketCheck, TheCommandGoesOnAfterAnUnreadableFile) {
    project.remove("counters.qna");
    project.write("objects.qno", "]");
    EXPECT_FALSE(check_parentheses(project.path(), log));
    std::vector<std::string> expected = ok_lines("actions.qna");
    expected.push_back("Error: Unable to check file: " + project.file("counters.qna"));
    expected.push_back("...OK!");
    for (const auto& line : ok_lines("conditions.qna")) expected.push_back(line);
    for (const auto& line :
         error_lines("objects.qno", "Error:\r\nNumber of [ ] do not match:\r\n]", 1, 1, ']', "]"))
        expected.push_back(line);
    EXPECT_EQ(sink.texts(), expected);
}

TEST_F(BracketCheck, ReportsTheBlockAsDecodedText) {
    // Windows-1252 "è" reads as UTF-8 "è".
    EXPECT_FALSE(check("f_show('c\xE8'\r\n"));
    EXPECT_EQ(entry(), "Error:\r\nNumber of ( ) do not match:\r\nf_show('c\xC3\xA8'");
}

}  // namespace
}  // namespace quenlo
