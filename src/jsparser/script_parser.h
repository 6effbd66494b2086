#pragma once
// The pages' scripts checked by a real browser engine (SpiderMonkey, the
// engine of Firefox ESR): each is compiled as a classic script, never run,
// and the first syntax error comes back with its place. No engine header is
// seen outside this folder.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quenlo {

// A syntax error of a script: the parser's message ("missing } after function
// body"), and where: line from 1, column from 1 counted in Unicode characters
// of that line, 0 when the engine names no place (a script nested too deeply
// to parse).
struct ScriptSyntaxError {
    std::string message;
    std::size_t line = 0;
    std::size_t column = 0;
};

// The engine starts on a thread of its own as soon as the parser is made
// (starting takes about 10 ms; the caller goes on meanwhile); every check runs
// on that thread, so the parser can be called from any thread, and one check
// waits for another. Keep one per process where it lives long. Parsers may be
// made and destroyed in any number; destroy each before the process ends (a
// static one is destroyed in time, one left alive by std::exit is not: the
// engine then leaves its memory to the system).
class ScriptParser {
public:
    ScriptParser();
    ~ScriptParser();
    ScriptParser(const ScriptParser&) = delete;
    ScriptParser& operator=(const ScriptParser&) = delete;

    // Compiles `source` (UTF-8) as a classic (non-module) script without
    // running it: the first syntax error, or nullopt when it parses.
    // `first_line` is the number of the source's first line (the line of the
    // page where the script starts), so reported lines count from it.
    //
    // Fails with std::runtime_error "JavaScript parser could not start: <why>"
    // when the engine could not start, and "JavaScript parser failed: <why>"
    // when it cannot go on (out of memory); such a failure says nothing about
    // the script.
    std::optional<ScriptSyntaxError> syntax_error(std::string_view source,
                                                  std::size_t first_line = 1) const;

private:
    struct Engine;
    std::unique_ptr<Engine> engine_;
};

}  // namespace quenlo
