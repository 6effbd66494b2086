#include "checks/script_lexer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

namespace quenlo {
namespace {

char next_of(std::string_view script, std::size_t i) {
    return i + 1 < script.size() ? script[i + 1] : '\0';
}

// One sign per byte for its part: "." code, "/" comment, '"' text, "'"
// string, "`" template text, "r" regular expression.
std::string parts(std::string_view script, ScriptDialect dialect = ScriptDialect::author) {
    static constexpr char signs[] = {'.', '/', '"', '\'', '`', 'r'};
    ScriptLexer lexer(dialect);
    std::string out;
    for (std::size_t i = 0; i < script.size(); ++i)
        out += signs[static_cast<int>(lexer.step(script[i], next_of(script, i)).part)];
    return out;
}

// The braces' edges in order: "B" and "b" open and close a block, "O" and "o"
// an object literal, "S" and "s" a template substitution.
std::string braces(std::string_view script) {
    static constexpr char signs[] = {0, 0, 0, 'B', 'b', 'O', 'o', 'S', 's'};
    ScriptLexer lexer;
    std::string out;
    for (std::size_t i = 0; i < script.size(); ++i)
        if (const char sign =
                signs[static_cast<int>(lexer.step(script[i], next_of(script, i)).edge)])
            out += sign;
    return out;
}

TEST(ScriptLexer, TellsEveryCharacterItsPart) {
    // Quotes of one kind mean nothing inside a part of another.
    EXPECT_EQ(parts(R"(f("l'acqua // no"); g('a "b" \' c'); // "x" 'y')"),
              R"(..""""""""""""""".....''''''''''''...//////////)");
    EXPECT_EQ(parts("/* \"a\r\n} */ x"), "///////////..");
    // A template's "${ }" is code, with texts and templates of its own.
    EXPECT_EQ(parts(R"(`a ${"}" + `b${c}`} \${d} \``)"), R"(````."""...```...`.``````````)");
    // A string left open ends with its line, a regular expression too.
    EXPECT_EQ(parts("x = 'ab\r\ny = /c\r\nz"), "....'''......rr...");
    EXPECT_EQ(parts(R"(s = s.replace(/["\/]/g, "''");)"), R"(..............rrrrrrr...""""..)");
}

TEST(ScriptLexer, RegularExpressionOrDivisionByTheTokenBefore) {
    EXPECT_EQ(parts("a = b / c / d"), ".............");
    EXPECT_EQ(parts("x = (a + b) / 2 / y++ / 3"), ".........................");
    EXPECT_EQ(parts("x = 10 /* c */ / 2"), ".......///////....");
    EXPECT_EQ(parts("if (/a{2}/.test(s)) r = /\"/g;"), "....rrrrrr..............rrr..");
    EXPECT_EQ(parts("return /x/; } /y/"), ".......rrr....rrr");
    EXPECT_EQ(parts("f(a, /z/) ? /w/ : x.in / 2"), ".....rrr....rrr...........");
}

TEST(ScriptLexer, BlocksObjectLiteralsAndSubstitutions) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"var conf = {a: 1};", "Oo"},
        {"x = {a: {b: 2}, c: [{d: 3}]};", "OOoOoo"},
        {"f({x: 1}); return {a: 1}; y = x ? {a: 1} : {b: 2};", "OoOoOoOo"},
        {"function f() { if (a) { g(); } else { h(); } }", "BBbBbb"},
        {"do { } while (x); try { } catch { } finally { }", "BbBbBbBb"},
        {"switch (n) { case 1: { } default: x = n ? 1 : {}; }", "BBbOob"},
        {"l: { } var {a, b} = o; for (const {c} of d) { }", "BbOoOoBb"},
        {"class A extends B { m() { return { n() { } }; } }", "BBOBbobb"},
        {"var g = () => { }, h = () => ({}), k = {f: function () { }};", "BbOoOBbo"},
        {"var o = {a: x ? y : z, b: {}};", "OOoo"},
        {"s = `${ {a: 1}.a } ${`${ {} }`}`;", "SOosSSOoss"},
        {"} f(); {", "bB"},  // a brace closed and one opened around the script
        {"x = a?.b ?? {}; y = a ?.5 : {};", "OoOo"},
    };
    for (const auto& [script, expected] : cases) EXPECT_EQ(braces(script), expected) << script;
}

TEST(ScriptLexer, PageKnowsOnlyApostrophesAndTemplates) {
    // Strings run on over lines; double quotes and slashes are characters.
    EXPECT_EQ(parts("a = \"b\"; c = 'd\r\ne'; f = /'/;", ScriptDialect::page),
              ".............''''''.......'''");
    EXPECT_EQ(parts("f(`l'uomo ${'x'} ${{a: 1}.a}`) /`/", ScriptDialect::page),
              "..`````````.'''.``..........`...``");
}

// One sign per byte for its part and edge, for comparing two scans.
char sign_of(ScriptChar c) {
    return static_cast<char>('A' + static_cast<int>(c.part) * 10 + static_cast<int>(c.edge));
}

// The quiet run is a shortcut only: whatever a script holds, passing over it
// and stepping over every byte tell the same.
TEST(ScriptLexer, PassingQuietBytesIsSteppingOverThem) {
    const std::string pieces[] = {"'", "\"", "`", "${",      "{",  "}", "/", "*", "\\", "\r\n", "[",
                                  "]", "$",  "x", "return ", "= ", "(", ")", "?", ":",  " ab "};
    std::mt19937 random(11);
    for (const ScriptDialect dialect : {ScriptDialect::author, ScriptDialect::page}) {
        for (int round = 0; round < 2000; ++round) {
            std::string script;
            for (int i = 0; i < 60; ++i) script += pieces[random() % std::size(pieces)];
            ScriptLexer lexer(dialect);
            std::string passed;
            for (std::size_t i = 0; i < script.size();) {
                const std::size_t end = lexer.pass_quiet(script, i);
                passed.append(end - i, sign_of({lexer.part(), ScriptEdge::none}));
                if (end == script.size()) break;
                passed += sign_of(lexer.step(script[end], next_of(script, end)));
                i = end + 1;
            }
            ScriptLexer stepping(dialect);
            std::string stepped;
            for (std::size_t i = 0; i < script.size(); ++i)
                stepped += sign_of(stepping.step(script[i], next_of(script, i)));
            ASSERT_EQ(passed, stepped) << script;
        }
    }
}

}  // namespace
}  // namespace quenlo
