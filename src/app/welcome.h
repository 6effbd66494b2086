#pragma once
// The lines the main window greets the author with.

#include <string>
#include <vector>

namespace quenlo::app {

std::vector<std::string> welcome_lines();

}  // namespace quenlo::app
