#pragma once
// `quenlo-cli serve [--release] [--port N] [--check-chars] [--skip-unknown]
// PROJECT_DIR`: builds, serves the pages on 127.0.0.1 with the live preview
// and builds again after each change, until Ctrl-C (exit status 0).

#include <string>
#include <vector>

namespace quenlo::cli {

// `args` follow the word "serve"; `program_folder` is where "base.qn" is.
int run_serve(const std::vector<std::string>& args, const std::string& program_folder);

}  // namespace quenlo::cli
