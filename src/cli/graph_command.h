#pragma once
// `quenlo-cli graph`: the story map of a project as DOT, or drawn as SVG.

#include <string>
#include <vector>

namespace quenlo::cli {

int run_graph(const std::vector<std::string>& args);

}  // namespace quenlo::cli
