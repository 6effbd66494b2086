#pragma once
// The debug page the explorer and the replay of walkthroughs play: built by
// the ordinary build into the project folder, quietly.

#include <string>
#include <vector>

namespace quenlo {

struct DebugPage {
    bool built = false;
    std::string path;                 // the page written
    std::string text;                 // its contents
    std::vector<std::string> report;  // a failed build's report
};

DebugPage build_debug_page(const std::string& project_folder, const std::string& program_folder);

// "file:///..." for a page on disk.
std::string file_url(const std::string& path);

}  // namespace quenlo
