#pragma once
// What outlives a build: the folders, the option switches, the stop flag and
// the base script. The window owns one; so does the command line.

#include <atomic>
#include <memory>
#include <string>

#include "foundation/base_script.h"
#include "foundation/build.h"

namespace quenlo {

class ScriptParser;

inline constexpr std::string_view quenlo_version = "v3.6";

struct Workspace {
    std::string program_folder;  // where "base.qn" is looked for at start-up
    std::string project_folder;  // empty while no project is set
    Switches switches;
    std::atomic<bool> stop{false};
    BaseScript reDefault;  // replaced by every "base.qn" loaded, never restored
    // The JavaScript parser that checks the pages, started by the first build
    // and kept for the next ones.
    std::shared_ptr<ScriptParser> parser;
};

}  // namespace quenlo
