#include "merges/script_sections.h"

#include <gtest/gtest.h>

#include "foundation/work_buffer.h"
#include "support/build_harness.h"

namespace quenlo {
namespace {

struct Sections : test::PhaseHarness {
    explicit Sections(const std::map<std::string, std::string>& files = {})
        : test::PhaseHarness(files) {
        build.lstroom = {"", "_rStanza_"};
        build.lstobj = {"", "_lume_"};
        build.lstvar = {"_vPUNTI_", ""};
    }
    std::string convert(std::string_view text) {
        return error_of([&] { result = convert_strings(build, text); });
    }
    std::string result;
};

TEST(AnnotateLines, EachLineFollowsItsSourceComment) {
    EXPECT_EQ(annotate_lines("if (a)\r\n{ f_show(b) ;}", "actions.qna"),
              "// actions.qna line:1\r\nif (a)\r\n// actions.qna line:2\r\n{ f_show(b) ;}");
    EXPECT_EQ(annotate_lines("", "counters.qna"), "");
    EXPECT_EQ(annotate_lines("\r\n\r\nx", "c.qna"),
              "// c.qna line:1\r\n\r\n// c.qna line:2\r\n\r\n// c.qna line:3\r\nx");
}

TEST(ConvertStrings, DoubleQuotedTextsBecomeEscapedSingleQuotedOnes) {
    Sections s;
    ASSERT_EQ(s.convert("f_show(\"L'acqua & <il> fuoco\"); x = '_nessuno_';"), "(no error)");
    EXPECT_EQ(s.result, "f_show('L\\'acqua &amp; &lt;il&gt; fuoco'); x = '_nessuno_';");
}

TEST(ConvertStrings, QuotedIdentifiersMustBeDeclared) {
    Sections s;
    ASSERT_EQ(s.convert("f(\"_rStanza_\",\"_lume_\",\"_vPUNTI_\",\"_rTAKEN_\",\"_rOUT_\","
                        "\"_rWORN_\",\"_non un nome\")"),
              "(no error)");
    EXPECT_EQ(s.result,
              "f('_rStanza_','_lume_','_vPUNTI_','_rTAKEN_','_rOUT_','_rWORN_','_non un nome')");
    EXPECT_EQ(s.convert("f(\"_rNessuna_\")"), "unknown definition: _rNessuna_");
    EXPECT_EQ(s.convert("f(\"_\")"), "unknown definition: _");
    EXPECT_EQ(s.convert("f(\"_lume \")"), "(no error)");  // does not end with "_"
    EXPECT_EQ(s.convert("f(\"_lu'me_\")"), "unknown definition: _lu\\'me_");
    EXPECT_EQ(s.convert("f('_rNessuna_')"), "(no error)");  // single quotes are not checked
}

TEST(ConvertStrings, TheResultIsTrimmed) {
    Sections s;
    ASSERT_EQ(s.convert("\r\n \tx = \" a \";\r\n  \r\n"), "(no error)");
    EXPECT_EQ(s.result, "x = ' a ';");
    ASSERT_EQ(s.convert(" \r\n "), "(no error)");
    EXPECT_EQ(s.result, "");
}

TEST(ConvertStrings, MultiLineStringsDropTheirCommentLines) {
    Sections s;
    ASSERT_EQ(s.convert("a = \"uno\r\n// actions.qna line:2\r\ndue\";"), "(no error)");
    EXPECT_EQ(s.result, "a = 'uno due';");
}

TEST(ConvertStrings, OnlyDoubleQuotesOfCodeOpenATextToConvert) {
    Sections s;
    ASSERT_EQ(s.convert("// dice \"ciao\r\nf(\"x\"); /* \"_no_\" */ g('<a href=\"_no_\">');\r\n"
                        "h(`<b class=\"c\">${\"l'ora\"}`, /\"/g, \"un //\");"),
              "(no error)");
    EXPECT_EQ(s.result,
              "// dice \"ciao\r\nf('x'); /* \"_no_\" */ g('<a href=\"_no_\">');\r\n"
              "h(`<b class=\"c\">${'l\\'ora'}`, /\"/g, 'un //');");
}

TEST(ConvertStrings, ResultIsTrimmedAndProgressIsLogged) {
    Sections s;
    ASSERT_EQ(s.convert("\r\n\r\n"), "(no error)");
    EXPECT_EQ(s.result, "");
    EXPECT_EQ(s.log_texts().front(), "Converting strings...");
    EXPECT_EQ(s.log_texts().back(), "...100%");

    Sections long_text;
    ASSERT_EQ(long_text.convert(std::string(1000, 'x')), "(no error)");
    EXPECT_EQ(
        long_text.log_texts(),
        (std::vector<std::string>{"Converting strings...", "...10%", "...20%", "...30%", "...40%",
                                  "...50%", "...60%", "...70%", "...80%", "...90%", "...100%"}));
}

TEST(ConvertStrings, ProgressCountsCharacters) {
    // Four characters of three bytes each and the three blanks: positions 1
    // to 5 of 7, at 14%, 28%, 42%, 57% and 71%; one mark per position at most.
    Sections s;
    const std::string text = "\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC";
    ASSERT_EQ(s.convert(text), "(no error)");
    EXPECT_EQ(s.result, text);
    EXPECT_EQ(s.log_texts(), (std::vector<std::string>{"Converting strings...", "...10%", "...20%",
                                                       "...30%", "...40%", "...50%", "...100%"}));
}

TEST(ConvertStrings, StopRequestEndsTheConversion) {
    Sections s;
    s.events.on_poll = [&](int polls) {
        if (polls == 50) s.stop = true;
    };
    EXPECT_EQ(s.convert(std::string(1000, 'x')), "");
    EXPECT_FALSE(s.sink.contains("...100%"));
}

TEST(MergeScript, AnnotatesConvertsAndPlacesTheSection) {
    Sections s(test::Files{{"actions.qna", "if (a)\r\n{ f_show(\"ciao }\") }"}});
    s.build.page = "f() {\r\n___ACTIONS___\r\n}";
    ASSERT_EQ(s.error_of([&] { merge_script(s.build, "actions.qna", "___ACTIONS___", "// gen"); }),
              "(no error)");
    EXPECT_EQ(s.build.page,
              "f() {\r\n"
              "// gen\r\n\r\n"
              "// actions.qna line:1\r\nif (a)\r\n"
              "// actions.qna line:2\r\n{ f_show('ciao }') ;}"
              "\r\n}");
    EXPECT_EQ(s.log_texts().front(), "Merging actions.qna ...");
    EXPECT_EQ(s.sink.lines.front().colour, LogColour::olive);
    EXPECT_EQ(s.log_texts().back(), "Replaced [ ___ACTIONS___ ]");
}

// A text may run over lines, but one still open at the end of the section
// is an error at its opening quote, not the silent loss of the rest.
TEST(MergeScript, UnclosedTextFailsAtItsQuote) {
    Sections s(test::Files{{"actions.qna",
                            "f_show(\"uno\r\ndue\");\r\nif (a) {\r\n"
                            "  f_show(\"\xC3\xA8\", \"aperta); }\r\nb = 2;"}});
    try {
        merge_script(s.build, "actions.qna", "___ACTIONS___", "// gen");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "unclosed double-quoted text");
        ASSERT_EQ(error.locations().size(), 1u);
        const SourceLocation& where = error.locations()[0];
        EXPECT_EQ(where.path, s.build.path("actions.qna"));
        EXPECT_EQ(where.line, 4u);
        EXPECT_EQ(where.column, 15u);  // characters, not bytes
        EXPECT_EQ(where.text, "  f_show(\"\xC3\xA8\", \"aperta); }");
    }
    EXPECT_FALSE(s.sink.contains("...100%"));
}

// Braces that close blocks get their ";", the others none: object literals,
// substitutions, and braces in texts, strings, templates, regular
// expressions and comments.
TEST(EndBlocksWithSemicolons, OnlyBlocksOfCode) {
    EXPECT_EQ(end_blocks_with_semicolons("var conf = {a: 1, b: {c: [{d: 2}]}};\r\n"
                                         "function f_conf(n) {\r\n"
                                         "  if (n) { f_show(\"graffe } nel testo\"); }\r\n"
                                         "  else f_show(`somma ${n + conf.a} }`, '}');\r\n"
                                         "  var r = /a{2}/; // commento }\r\n"
                                         "  /* } */ return n ? {a: 1} : f({x: 1});\r\n"
                                         "}"),
              "var conf = {a: 1, b: {c: [{d: 2}]}};\r\n"
              "function f_conf(n) {\r\n"
              "  if (n) { f_show(\"graffe } nel testo\"); ;}\r\n"
              "  else f_show(`somma ${n + conf.a} }`, '}');\r\n"
              "  var r = /a{2}/; // commento }\r\n"
              "  /* } */ return n ? {a: 1} : f({x: 1});\r\n"
              ";}");
    // As before for the blocks of ordinary code, and a brace that closes one
    // opened before the section.
    EXPECT_EQ(end_blocks_with_semicolons("if (a) { b(); } else { c() }\r\n}"),
              "if (a) { b(); ;} else { c() ;}\r\n;}");
}

TEST(MergeScript, UnknownIdentifierInAScript) {
    Sections s(
        test::Files{{"conditions.qna", "if (f_isobjectinroom(\"_lume_\", \"_rCantina_\")) f();"}});
    EXPECT_EQ(s.error_of([&] { merge_script(s.build, "conditions.qna", "___CONDITIONS___", ""); }),
              "unknown definition: _rCantina_");
}

TEST(MergeScriptSections, AllFourInOrderWithTheirPrefixes) {
    Sections s(test::Files{{"actions.qna", "a();"},
                           {"functions.qna", "function g() { }"},
                           {"conditions.qna", "c();"},
                           {"counters.qna", ""}});
    append_line(s.build.reAddCond, "if (window.g_room == 3) f_discovermap(3);");
    s.build.page = "A[___ACTIONS___] F[___FUNCTIONS___] C[___CONDITIONS___] N[___COUNTERS___]";
    ASSERT_EQ(s.error_of([&] { merge_script_sections(s.build); }), "(no error)");
    EXPECT_EQ(s.build.page,
              "A[// actions.qna line:1\r\na();] "
              "F[// functions.qna line:1\r\nfunction g() { ;}] "
              "C[if (window.g_room == 3) f_discovermap(3);\r\n\r\n"
              "// conditions.qna line:1\r\nc();] "
              "N[]");
    std::vector<std::string> merging;
    for (const std::string& line : s.log_texts())
        if (line.starts_with("Merging")) merging.push_back(line);
    EXPECT_EQ(merging,
              (std::vector<std::string>{"Merging actions.qna ...", "Merging functions.qna ...",
                                        "Merging conditions.qna ...", "Merging counters.qna ..."}));
}

TEST(MergeScriptSections, WithoutFunctionsFile) {
    Sections s(test::Files{{"actions.qna", ""}, {"conditions.qna", ""}, {"counters.qna", ""}});
    s.build.page = "F[___FUNCTIONS___]";
    ASSERT_EQ(s.error_of([&] { merge_script_sections(s.build); }), "(no error)");
    EXPECT_EQ(s.build.page, "F[]");
    EXPECT_FALSE(s.sink.contains("Merging functions.qna ..."));
    EXPECT_TRUE(s.sink.contains("Replaced [ ___FUNCTIONS___ ]"));
}

TEST(MergeMenus, MenuCodeGetsItsBracesClosedAndStringsConverted) {
    Sections s;
    append_line(s.build.reAddMenu, "if (id=='_lume_'){ window.g_list.length = 0; ");
    append_line(s.build.reAddMenu, " if (f_istaken(\"_lume_\")) { f_addvm('x'); }");
    append_line(s.build.reAddMenu, "}");
    s.build.page = "function f_getmenus(id, node, index) {\r\n___MENUS___\r\n}";
    ASSERT_EQ(s.error_of([&] { merge_menus(s.build); }), "(no error)");
    EXPECT_EQ(s.build.page,
              "function f_getmenus(id, node, index) {\r\n"
              "if (id=='_lume_'){ window.g_list.length = 0; \r\n"
              " if (f_istaken('_lume_')) { f_addvm('x'); ;}\r\n"
              ";}"
              "\r\n}");
    EXPECT_EQ(s.log_texts().back(), "Replaced [ ___MENUS___ ]");
    EXPECT_EQ(s.log_texts().front(), "Converting strings...");
}

}  // namespace
}  // namespace quenlo
