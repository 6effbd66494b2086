#include "jsparser/script_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace quenlo {
namespace {

// One engine for the whole program, as the window and a watching build keep
// theirs; it is still alive when the program exits.
const ScriptParser& shared_parser() {
    static const ScriptParser parser;
    return parser;
}

// "LINE:COLUMN: MESSAGE" of the script's first syntax error, "" when it parses.
std::string verdict(const ScriptParser& parser, std::string_view script,
                    std::size_t first_line = 1) {
    const std::optional<ScriptSyntaxError> error = parser.syntax_error(script, first_line);
    if (!error) return "";
    return std::to_string(error->line) + ":" + std::to_string(error->column) + ": " +
           error->message;
}

std::string verdict(std::string_view script, std::size_t first_line = 1) {
    return verdict(shared_parser(), script, first_line);
}

TEST(ScriptParser, ModernScriptParses) {
    EXPECT_EQ(verdict("var g_stanza = {nome: 'cantina', uscite: {nord: 2, sud: null}, '}': 1};\r\n"
                      "let testo = `Sei in ${g_stanza.nome}: ${`${'}'}`} e {niente} altro`;\r\n"
                      "const segnaposto = /\\{[a-z]+\\}|[{}]/g, porta = \"}\";\r\n"
                      "const uscita = (verso) => g_stanza.uscite?.[verso] ?? -1;\r\n"
                      "class Oggetto { #peso = 1; static { Oggetto.tutti = []; }\r\n"
                      "  get peso() { return this.#peso; } }\r\n"
                      "async function carica({nome, ...resto}, [primo] = []) {\r\n"
                      "  try { await fetch(nome); } catch { return 1_000n ** 2n; } }\r\n"),
              "");
}

// If the engine ran what it checks, the first would never come back and the
// second would throw.
TEST(ScriptParser, ScriptsAreCompiledNeverRun) {
    EXPECT_EQ(verdict("while (true) {}"), "");
    EXPECT_EQ(verdict("throw 1;"), "");
}

TEST(ScriptParser, FirstErrorComesWithTheEnginesMessageAndItsPlace) {
    // Lines break at CR LF as in the page; the error lies at the script's end.
    EXPECT_EQ(verdict("function vai(stanza) {\r\n  mostra(stanza);\r\n"),
              "3:1: missing } after function body");
    EXPECT_EQ(verdict("if (a) { s = '}';\r\n"), "2:1: missing } in compound statement");
    EXPECT_EQ(verdict("var a = 1;\nvar b = = 2;\nvar c = = 3;"),
              "2:9: expected expression, got '='");
    EXPECT_EQ(verdict("var t = `aperto ${x;"), "1:20: missing } in template string");
    EXPECT_EQ(verdict("var r = /a{/u;"), "1:10: incomplete quantifier in regular expression");
    // A classic script, as the page's script element is.
    EXPECT_EQ(verdict("import x from 'y';"),
              "1:1: import declarations may only appear at top level of a module");
}

// Columns count the characters of the line, accented letters and emoji as one
// each, and lines count from the line where the script starts in the page.
TEST(ScriptParser, ColumnsCountCharactersAndLinesStartAtTheFirstLine) {
    const std::string script =
        "var a = 'già';\r\n"
        "\tmostra('Perché è così 😀'); = 2;\r\n";
    EXPECT_EQ(verdict(script), "2:29: expected expression, got '='");
    EXPECT_EQ(verdict(script, 120), "121:29: expected expression, got '='");
}

// Nesting deeper than a browser takes is refused, never a crash.
TEST(ScriptParser, TooDeepNestingIsRefused) {
    EXPECT_EQ(verdict(std::string(1000, '[') + std::string(1000, ']')), "");
    EXPECT_EQ(verdict(std::string(1'000'000, '[')), "0:0: too much recursion");
}

TEST(ScriptParser, TwoParsersServeChecksFromSeveralThreads) {
    const ScriptParser other;
    const std::string good = "var x = {a: `${1}`};\n";
    const std::string bad = "var x = {a: 1;\n";
    std::vector<std::string> seen(4);
    std::vector<std::thread> callers;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        callers.emplace_back([&, i] {
            const ScriptParser& parser = i % 2 == 0 ? shared_parser() : other;
            for (int round = 0; round < 50; ++round)
                seen[i] += verdict(parser, round % 2 == 0 ? good : bad, i + 1) + "|";
        });
    }
    for (std::thread& caller : callers) caller.join();
    for (std::size_t i = 0; i < seen.size(); ++i) {
        std::string expected;
        for (int round = 0; round < 50; ++round)
            expected += round % 2 == 0
                            ? "|"
                            : std::to_string(i + 1) + ":14: missing } after property list|";
        EXPECT_EQ(seen[i], expected) << "caller " << i;
    }
}

}  // namespace
}  // namespace quenlo
