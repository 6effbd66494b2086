#pragma once
// A folder of the fuzz target's own for the files it reads and builds, in
// memory (/dev/shm) where there is one, since every execution writes to it.
// It is made on first use and removed when the process ends; the environment
// variable QUENLO_FUZZ_SCRATCH, when set, names the folder to make it in.

#include <string>

namespace quenlo::fuzz {

// "<root>/quenlo-fuzz-<tag>-<pid>", created once per process.
const std::string& scratch_folder(const std::string& tag);

}  // namespace quenlo::fuzz
