#pragma once
// The exit statuses of every command of quenlo-cli.

namespace quenlo::cli {

inline constexpr int exit_ok = 0;
inline constexpr int exit_failed = 1;  // the command ran and failed
inline constexpr int exit_usage = 2;   // the command line was wrong

}  // namespace quenlo::cli
