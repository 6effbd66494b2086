#pragma once
// What a fuzz target does when an invariant fails: it says which one, with
// the detail that explains it, and aborts, so libFuzzer saves the input.

#include <string_view>

namespace quenlo::fuzz {

[[noreturn]] void invariant_failed(std::string_view what, std::string_view detail = {});

inline void require(bool holds, std::string_view what, std::string_view detail = {}) {
    if (!holds) invariant_failed(what, detail);
}

}  // namespace quenlo::fuzz
