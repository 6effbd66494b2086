#pragma once
// `quenlo-cli explore` and `quenlo-cli play`: the game played in a headless
// browser, searched for faults or replayed from walkthroughs.

#include <string>
#include <vector>

namespace quenlo::cli {

int run_explore(const std::vector<std::string>& args, const std::string& program_folder);
int run_play(const std::vector<std::string>& args, const std::string& program_folder);

}  // namespace quenlo::cli
