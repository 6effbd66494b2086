#pragma once
// Ctrl-C (SIGINT) and SIGTERM, taken by a thread of their own so that they
// end a build through its stop path instead of killing the program mid-write.

#include <atomic>

namespace quenlo::cli {

// From now on an interrupt raises `stop`, the build's stop flag, and `quit`
// when given: a build resets its stop flag when it ends, so a command that
// goes on after a build learns of the interrupt from `quit`.
void watch_interrupts(std::atomic<bool>& stop, std::atomic<bool>* quit = nullptr);

}  // namespace quenlo::cli
