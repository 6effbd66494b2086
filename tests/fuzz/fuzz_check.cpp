#include "fuzz_check.h"

#include <cstdio>
#include <cstdlib>

namespace quenlo::fuzz {

void invariant_failed(std::string_view what, std::string_view detail) {
    constexpr int shown = 2000;  // enough to see the fault, not a whole page
    std::fprintf(stderr, "\nINVARIANT FAILED: %.*s\n", static_cast<int>(what.size()), what.data());
    if (!detail.empty())
        std::fprintf(stderr, "  %.*s\n",
                     static_cast<int>(detail.size() < shown ? detail.size() : shown),
                     detail.data());
    std::fflush(stderr);
    std::abort();
}

}  // namespace quenlo::fuzz
