#pragma once
// SpiderMonkey itself, behind plain types, in a module of its own that the
// parser loads when the first parser is made: a program that checks no script
// (--version, the preview's answers) never loads the engine and the libraries
// it needs. The module and its loader are built together by one compiler, so
// the entry passes C++ types and exceptions. Only spidermonkey.cpp includes an
// engine header.

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quenlo {

// What the engine says of a source it refuses, in its own counting: line from
// 1, column from 0 in code points of that line (of a UTF-8 source, as this
// engine counts them); both 0 when it names no place.
struct EngineError {
    std::string message;
    std::size_t line = 0;
    std::size_t column = 0;
};

// Compiles a source as a classic script, without running it: nothing when it
// compiles, else the engine's error.
using EngineCheck = std::function<std::optional<EngineError>(std::string_view source)>;

inline std::runtime_error engine_start_failure(const std::string& why) {
    return std::runtime_error("JavaScript parser could not start: " + why);
}

struct EngineEntry {
    // Makes the engine's process-wide state outlive everything made after
    // this call, so that it is shut down at exit only after them. Call it
    // before starting an engine thread; cheap.
    void (*keep_engine_until_exit)();
    // Starts the engine on the calling thread, whose stack is at least
    // `stack_size` bytes, and calls `serve` with a check that compiles on it;
    // ends the engine when `serve` returns. Fails with "JavaScript parser
    // could not start: <why>" before calling `serve`. The check fails with
    // "JavaScript parser failed: <why>" when the engine cannot go on.
    void (*serve_engine)(std::size_t stack_size,
                         const std::function<void(const EngineCheck&)>& serve);
};

// The name the module exports its entry under, a function returning it.
inline constexpr const char* engine_entry_symbol = "quenlo_engine_entry";
using EngineEntryFunction = const EngineEntry* (*)();

}  // namespace quenlo
