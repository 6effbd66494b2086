// The JavaScript syntax check of a page's script: starting the engine (a new
// parser's first answer), and compiling a script of about 90 KB, the size of
// a whole game page's code. Both run on the engine's thread, so the times are
// wall-clock. Target: the start well under the time of a build, the check a
// few milliseconds.

#include <benchmark/benchmark.h>

#include <string>

#include "jsparser/script_parser.h"

namespace {

// Page-like code: texts with accents, object literals, templates, regular
// expressions, arrow functions and nested blocks, each chunk its own names.
std::string page_script(std::size_t size) {
    std::string script;
    for (int i = 0; script.size() < size; ++i) {
        const std::string n = std::to_string(i);
        script += "var g_stanza" + n + " = {nome: 'Stanza " + n +
                  "', testo: 'Sei qui: c\\'è una porta, più in là il giardino.', uscite: [" + n +
                  ", " + n +
                  " + 1, null]};\r\n"
                  "function mostra" +
                  n +
                  "(dove, chi) {\r\n"
                  "    const parole = dove.testo.split(/[ ,.]+/).filter((p) => p.length > 2);\r\n"
                  "    for (let k = 0; k < parole.length; ++k) {\r\n"
                  "        if (/^\\{[a-z]+\\}$/.test(parole[k])) continue;\r\n"
                  "        chi?.scrivi(`${k}: ${parole[k] ?? '}'}`);\r\n"
                  "    }\r\n"
                  "    return dove.uscite.map((u) => u === null ? -1 : u * 2);\r\n"
                  "}\r\n";
    }
    return script;
}

void BM_ScriptParserStart(benchmark::State& state) {
    for (auto _ : state) {
        const quenlo::ScriptParser parser;
        benchmark::DoNotOptimize(parser.syntax_error(""));
    }
}
BENCHMARK(BM_ScriptParserStart)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScriptParserCheck90KB(benchmark::State& state) {
    const quenlo::ScriptParser parser;
    const std::string script = page_script(90 * 1024);
    if (const auto error = parser.syntax_error(script)) {
        state.SkipWithError(error->message.c_str());
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(parser.syntax_error(script));
    state.SetBytesProcessed(state.iterations() * script.size());
}
BENCHMARK(BM_ScriptParserCheck90KB)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
